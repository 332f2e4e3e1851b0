#include "ricezione/ui/GesParUx.h"

#include "piattaforma/Messaggi.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/ValoriFtp.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString Remoto(QLatin1StringView chiave)
{
    return LeggiIni(FileIni, Ini::SezRemoto, chiave);
}

void ScriviRemoto(QLatin1StringView chiave, const QString& valore)
{
    ScriviIni(FileIni, Ini::SezRemoto, chiave, valore);
}

} // namespace

GesParUx::GesParUx(QWidget* padre) : QDialog(padre)
{
    setObjectName(QStringLiteral("GesParUx"));
    setWindowTitle(QStringLiteral("GESTIONE PARAMETRI TRASFERIMENTO PC <-> UNIX"));

    auto* principale = new QVBoxLayout(this);
    auto* griglia = new QGridLayout;
    const std::array<QString, 5> etichette = {
        QString(), QStringLiteral("Host  UNIX"), QStringLiteral("Utente per ftp"),
        QStringLiteral("PassWord"), QStringLiteral("Cartella UNIX")};
    const std::array<int, 5> lunghezze = {0, 15, 12, 12, 40};
    for (int k = 1; k <= 4; ++k) {
        auto* e = new QLabel(etichette[k], this);
        auto* t = new QLineEdit(this);
        t->setObjectName(QStringLiteral("txt_%1").arg(k));
        t->setAccessibleName(etichette[k]);
        e->setBuddy(t);
        // Room for every character the field takes.
        t->setMinimumWidth(
            t->fontMetrics().horizontalAdvance(QLatin1Char('W')) * std::min(lunghezze[k], 24) + 12);
        griglia->addWidget(e, k - 1, 0);
        griglia->addWidget(t, k - 1, 1, Qt::AlignLeft);
        txt_[k] = t;
    }
    txt_[3]->setEchoMode(QLineEdit::Password);
    txt_[3]->setStyleSheet(QStringLiteral("lineedit-password-character: 35"));
    auto* debug = new QLabel(QStringLiteral("Modo Debug"), this);
    cmbDebug_ = new QComboBox(this);
    cmbDebug_->setObjectName(QStringLiteral("cmbDebug"));
    cmbDebug_->addItems({QStringLiteral("NO"), QStringLiteral("SI")});
    cmbDebug_->setAccessibleName(QStringLiteral("Modo Debug"));
    debug->setBuddy(cmbDebug_);
    griglia->addWidget(debug, 4, 0);
    griglia->addWidget(cmbDebug_, 4, 1, Qt::AlignLeft);
    principale->addLayout(griglia);

    auto* pulsanti = new QHBoxLayout;
    const std::array<QString, 2> testi = {QStringLiteral("&CONFERMA"), QStringLiteral("&USCITA")};
    for (int i = 0; i < 2; ++i) {
        cmdParam_[i] = new QPushButton(testi[i], this);
        cmdParam_[i]->setObjectName(QStringLiteral("cmdParam_%1").arg(i));
        cmdParam_[i]->setAutoDefault(false);
        pulsanti->addWidget(cmdParam_[i]);
    }
    principale->addLayout(pulsanti);
    connect(cmdParam_[0], &QPushButton::clicked, this, &GesParUx::Conferma);
    connect(cmdParam_[1], &QPushButton::clicked, this, &QDialog::reject);

    // The settings as they stand: no default is written from here. The root
    // stays "/" on show, so that it can be confirmed as it is.
    const QString memorizzata = Remoto(Ini::Path);
    const QString cartella =
        memorizzata == QLatin1String("/") ? memorizzata : CartellaUnixInUso(memorizzata);
    txt_[1]->setText(Remoto(Ini::Indirizzo));
    txt_[2]->setText(Remoto(Ini::Utente));
    txt_[3]->setText(DecodificaParola(LeggiIniParola(FileIni, Ini::SezRemoto, Ini::Passwd)));
    txt_[4]->setText(cartella);
    // The lengths limit typing only: a longer stored value is shown and kept whole.
    for (int k = 1; k <= 4; ++k)
        txt_[k]->setMaxLength(std::max(lunghezze[k], int(txt_[k]->text().size())));
    const int modo = LeggiIniNumero(Ini::SezDebug, Ini::Modo);
    cmbDebug_->setCurrentIndex(modo == 1 ? 1 : 0);

    for (QWidget* w : findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);
    new TastiComuni(this, cmdParam_[1]);
    adjustSize();
    // Wide enough for the whole caption.
    QFont titolo = font();
    titolo.setBold(true);
    const int perTitolo = QFontMetrics(titolo).horizontalAdvance(windowTitle()) + 140;
    setFixedSize(std::max(width(), perTitolo), height());
    PosizionaForm(this);
}

bool GesParUx::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::FocusIn) {
        for (int k = 1; k <= 4; ++k)
            if (oggetto == txt_[k])
                SelezionaTesto(txt_[k]);
    }
    if (evento->type() != QEvent::KeyPress)
        return QDialog::eventFilter(oggetto, evento);
    auto* e = static_cast<QKeyEvent*>(evento);
    if (e->key() == Qt::Key_P && e->modifiers().testFlag(Qt::ControlModifier)) {
        txt_[3]->setEchoMode(txt_[3]->echoMode() == QLineEdit::Password ? QLineEdit::Normal
                                                                        : QLineEdit::Password);
        return true;
    }
    const bool campo =
        oggetto == cmbDebug_ || std::find(txt_.begin() + 1, txt_.end(), oggetto) != txt_.end();
    if (campo && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        focusNextChild();
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void GesParUx::Conferma()
{
    for (int k = 1; k <= 4; ++k) {
        if (txt_[k]->text().trimmed().isEmpty()) {
            Messaggio(QStringLiteral("CAMPO OBBLIGATORIO"));
            txt_[k]->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    const QString nonAmmesso =
        ControllaCredenzialiUnix(txt_[1]->text(), txt_[2]->text(), txt_[3]->text());
    const QString rifiutato =
        nonAmmesso.isEmpty()
            ? ControllaValoriUnix(txt_[1]->text().trimmed(), txt_[2]->text().trimmed(),
                                  txt_[3]->text().trimmed(), txt_[4]->text().trimmed())
            : nonAmmesso;
    if (!rifiutato.isEmpty()) {
        Messaggio(rifiutato, Pulsanti::Ok, Icona::Avviso);
        return;
    }
    ParametriUnix.Host = txt_[1]->text().trimmed();
    ParametriUnix.Utente = txt_[2]->text().trimmed();
    ParametriUnix.Password = txt_[3]->text().trimmed();
    const QString cartella = txt_[4]->text().trimmed();
    ModoDebugUnix = cmbDebug_->currentIndex() == 1 ? 1 : 0;
    ScriviRemoto(Ini::Indirizzo, ParametriUnix.Host);
    ScriviRemoto(Ini::Utente, ParametriUnix.Utente);
    ScriviRemoto(Ini::Passwd, CodificaParola(ParametriUnix.Password));
    // Kept as typed; in use without its trailing "/".
    ScriviRemoto(Ini::Path, cartella);
    ParametriUnix.Cartella = CartellaUnixInUso(cartella);
    ScriviIni(FileIni, Ini::SezDebug, Ini::Modo, QString::number(ModoDebugUnix));
    accept();
}

void ApriGesParUx(QWidget* padre)
{
    GesParUx finestra(padre);
    finestra.exec();
}
