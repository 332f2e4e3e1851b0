#include "info/ui/InfZerpa.h"

#include "piattaforma/ui/Shell.h"
#include "shell/ChiaviIni.h"
#include "shell/FileUtili.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLabel* Collegamento(QWidget* padre, const QString& nome, const QString& testo,
                     const QString& indirizzo)
{
    auto* l = new QLabel(u"<a href=\""_s + indirizzo.toHtmlEscaped() + u"\">"_s +
                             testo.toHtmlEscaped() + u"</a>"_s,
                         padre);
    l->setObjectName(nome);
    l->setTextFormat(Qt::RichText);
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    l->setFocusPolicy(Qt::StrongFocus);
    l->setAccessibleName(testo);
    // Through the program's own shell seam, not Qt's direct opener.
    QObject::connect(l, &QLabel::linkActivated, l,
                     [](const QString& collegamento) { ApriConShell(collegamento); });
    return l;
}

} // namespace

QString InfZerpa::IndirizzoSito()
{
    return Ini::DefaultZerpa;
}

QString InfZerpa::IndirizzoPosta()
{
    return u"info@"_s + QUrl(IndirizzoSito()).host().remove(u"www."_s);
}

InfZerpa::InfZerpa(QWidget* padre) : QDialog(padre)
{
    setObjectName(u"InfZerpa"_s);
    setWindowTitle(u"Informazioni sul produttore del SoftWare"_s);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(8);
    auto* lbNome = new QLabel(u"ZERPA"_s, this);
    lbNome->setObjectName(u"lbNome"_s);
    QFont grande = lbNome->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.6);
    lbNome->setFont(grande);
    lbNome->setAlignment(Qt::AlignCenter);
    layout->addWidget(lbNome);

    auto* lbAttivita =
        new QLabel(u"Programmi per spedizionieri e doganalisti:\nscambio EDI con la Dogana, "
                   "verifiche MRN e partite IVA."_s,
                   this);
    lbAttivita->setObjectName(u"lbAttivita"_s);
    lbAttivita->setAlignment(Qt::AlignCenter);
    layout->addWidget(lbAttivita);

    auto* contatti = new QHBoxLayout;
    auto* sito = Collegamento(this, u"lbSito"_s, QUrl(IndirizzoSito()).host(), IndirizzoSito());
    auto* posta =
        Collegamento(this, u"lbPosta"_s, IndirizzoPosta(), u"mailto:"_s + IndirizzoPosta());
    contatti->addStretch(1);
    contatti->addWidget(new QLabel(u"Sito:"_s, this));
    contatti->addWidget(sito);
    contatti->addSpacing(20);
    contatti->addWidget(new QLabel(u"Posta:"_s, this));
    contatti->addWidget(posta);
    contatti->addStretch(1);
    layout->addLayout(contatti);

    auto* riga = new QHBoxLayout;
    auto* cmdSysInfo = new QPushButton(u"&System Info..."_s, this);
    cmdSysInfo->setObjectName(u"cmdSysInfo"_s);
    auto* cmdOK = new QPushButton(u"OK"_s, this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setDefault(true);
    cmdSysInfo->setAutoDefault(false);
    for (QPushButton* b : {cmdSysInfo, cmdOK})
        b->setMinimumWidth(110);
    riga->addWidget(cmdSysInfo);
    riga->addStretch(1);
    riga->addWidget(cmdOK);
    layout->addSpacing(6);
    layout->addLayout(riga);
    connect(cmdSysInfo, &QPushButton::clicked, this, []() { InfoSistema(); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    new TastiComuni(this, cmdOK);

    adjustSize();
    setMinimumWidth(std::max(width(), 420));
    CentraForm(this);
}
