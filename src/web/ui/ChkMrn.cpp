#include "web/ui/ChkMrn.h"

#include "piattaforma/Messaggi.h"
#include "piattaforma/ui/Dialoghi.h"
#include "shell/Global.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/TastiComuni.h"
#include "stampa/StampantePdf.h"
#include "stampa/ui/StampanteCorrente.h"
#include "web/GetHtmPage.h"
#include "web/XCkMrnVat.h"
#include "web/ui/GWebPar.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int LunghezzaMrn = 18;

QFont CarattereFisso(int punti)
{
    QFont f(u"Courier New"_s, punti);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    if (!QFontInfo(f).fixedPitch()) {
        f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        f.setPointSize(punti);
    }
    return f;
}

bool CambioFinestra(Qt::FocusReason motivo)
{
    // A message box or another program took the focus for a while.
    return motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason;
}

} // namespace

ChkMrn::ChkMrn(QWidget* padre) : QDialog(padre)
{
    setObjectName(u"ChkMrn"_s);
    setWindowTitle(u"  INTERROGAZIONE STATO MRN"_s);
    setModal(true);

    barra_ = new QMenuBar(this);
    Mu_end_ = barra_->addAction(u"&FINE"_s);
    Mu_end_->setObjectName(u"Mu_end"_s);
    Mu_param_ = barra_->addAction(u"&Parametri"_s);
    Mu_param_->setObjectName(u"Mu_param"_s);
    Mu_print_ = barra_->addAction(u"&Stampante"_s);
    Mu_print_->setObjectName(u"Mu_print"_s);
    connect(Mu_end_, &QAction::triggered, this, &QDialog::accept);
    connect(Mu_param_, &QAction::triggered, this, &ChkMrn::ApriParametri);
    connect(Mu_print_, &QAction::triggered, this, &ChkMrn::ApriStampante);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(barra_);
    contenuto_ = new QWidget(this);
    layout->addWidget(contenuto_);
    auto* interno = new QVBoxLayout(contenuto_);
    interno->setContentsMargins(0, 0, 0, 0);

    const QFont fisso = CarattereFisso(10);
    auto* riga = new QHBoxLayout;
    auto* Label1 = new QLabel(u"MRN"_s, contenuto_);
    Label1->setObjectName(u"Label1"_s);
    text1_ = new QLineEdit(contenuto_);
    text1_->setObjectName(u"text1"_s);
    text1_->setMaxLength(LunghezzaMrn);
    QFont grande = CarattereFisso(12);
    text1_->setFont(grande);
    text1_->setMinimumWidth(
        QFontMetrics(grande).horizontalAdvance(QString(LunghezzaMrn + 2, u'W')));
    Label1->setBuddy(text1_);
    connect(text1_, &QLineEdit::textChanged, this, &ChkMrn::TestoCambiato);

    cmdAnalizza_ = new QPushButton(u"&ANALIZZA"_s, contenuto_);
    cmdAnalizza_->setObjectName(u"cmdAnalizza"_s);
    cmdPrt_ = new QPushButton(u"&STAMPA"_s, contenuto_);
    cmdPrt_->setObjectName(u"cmdPrt"_s);
    for (QPushButton* b : {cmdAnalizza_, cmdPrt_})
        b->setAutoDefault(false);
    connect(cmdAnalizza_, &QPushButton::clicked, this, &ChkMrn::Analizza);
    connect(cmdPrt_, &QPushButton::clicked, this, &ChkMrn::Stampa);
    riga->addWidget(Label1);
    riga->addWidget(text1_);
    riga->addWidget(cmdAnalizza_);
    riga->addWidget(cmdPrt_);
    riga->addStretch();
    interno->addLayout(riga);
    interno->addSpacing(8);

    const int larghezza = QFontMetrics(fisso).horizontalAdvance(QString(92, u'='));
    for (int i = 1; i <= Righe; ++i) {
        Label2_[i] = new QLabel(contenuto_);
        Label2_[i]->setObjectName(u"Label2_%1"_s.arg(i));
        Label2_[i]->setFont(fisso);
        Label2_[i]->setMinimumWidth(larghezza);
        Label2_[i]->setTextFormat(Qt::PlainText);
        Label2_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Keeps the window's height when the lines are hidden.
        QSizePolicy p = Label2_[i]->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        Label2_[i]->setSizePolicy(p);
        Label2_[i]->setMinimumHeight(QFontMetrics(fisso).height());
        interno->addWidget(Label2_[i]);
    }
    interno->addStretch();

    tasti_ = new TastiComuni(this, nullptr);
    // Seen before the common keys (F2 here chooses "&FINE", a menu entry), and
    // the field's own keys and focus.
    qApp->installEventFilter(this);

    PosizionaForm(this);
    ModoInterrogazione = 1;
    text1_->clear();
    SvuotaRighe();
    cmdAnalizza_->hide();
    cmdPrt_->hide();
    apreParametri_ = false;
}

ChkMrn::~ChkMrn()
{
    qApp->removeEventFilter(this);
}

void ChkMrn::SvuotaRighe()
{
    for (int i = 1; i <= Righe; ++i) {
        Label2_[i]->clear();
        Label2_[i]->hide();
    }
}

bool ChkMrn::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress && oggetto->isWidgetType() &&
        static_cast<QWidget*>(oggetto)->window() == this &&
        QApplication::activeModalWidget() == this) {
        auto* tasto = static_cast<QKeyEvent*>(evento);
        if (tasto->key() == Qt::Key_F2 && tasto->modifiers() == Qt::NoModifier) {
            if (Mu_end_->isEnabled())
                Mu_end_->trigger();
            return true;
        }
    }
    if (oggetto != text1_)
        return QDialog::eventFilter(oggetto, evento);

    switch (evento->type()) {
    case QEvent::KeyPress: {
        auto* tasto = static_cast<QKeyEvent*>(evento);
        if (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter) {
            Analizza();
            return true;
        }
        const QString t = tasto->text();
        if (t.size() == 1 && t.at(0) >= u'a' && t.at(0) <= u'z') {
            QKeyEvent maiuscola(QEvent::KeyPress, tasto->key(), tasto->modifiers(), t.toUpper(),
                                tasto->isAutoRepeat(), ushort(tasto->count()));
            QApplication::sendEvent(text1_, &maiuscola);
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        apreParametri_ = false;
        break;
    case QEvent::FocusOut:
        if (!apreParametri_ && !inCorso_ &&
            !CambioFinestra(static_cast<QFocusEvent*>(evento)->reason()))
            ControllaCodice();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void ChkMrn::TestoCambiato(const QString& testo)
{
    SvuotaRighe();
    repaint();
    if (testo.size() >= LunghezzaMrn) {
        cmdAnalizza_->show();
        cmdAnalizza_->setFocus(Qt::TabFocusReason);
    } else {
        cmdAnalizza_->hide();
    }
}

void ChkMrn::ControllaCodice()
{
    codice_ = text1_->text().toUpper().trimmed();
    QString messaggio;
    if (codice_.size() > 17 && codice_.at(16) != u'E' && codice_.at(16) != u'T')
        messaggio = u"Tipo MRN errato (E/T)"_s;
    else if (codice_.size() <= 17)
        messaggio = u"numero MRN incompleto"_s;
    if (messaggio.isEmpty())
        return;
    Messaggio(messaggio, Pulsanti::Ok);
    // Not from inside the focus change that called us.
    QTimer::singleShot(0, text1_, [this]() { text1_->setFocus(Qt::OtherFocusReason); });
}

void ChkMrn::Analizza()
{
    inCorso_ = true;
    contenuto_->setEnabled(false);
    barra_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // A shorter answer must not leave the previous one's lines under it.
    SvuotaRighe();

    PaginaWeb = new GetHtmPage;
    const int r = InterrogaCodice(codice_);
    if (r != 0) {
        Label2_[1]->setText(QString(90, u'='));
        Label2_[2]->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        Label2_[2]->setText(Titoli[2].trimmed());
        Label2_[3]->setText(QString(90, u'='));
    } else {
        Label2_[2]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const QString inizio = Titoli[2].left(3);
        if (inizio == u"==="_s || inizio == u"***"_s) {
            Label2_[1]->setText(Titoli[2]);
            Label2_[2]->setText(Titoli[3]);
        } else {
            int n = 0;
            for (int i = 1; i <= 16; ++i) {
                if (!Esiti[i].trimmed().isEmpty())
                    Label2_[++n]->setText(Titoli[((i - 1) % 4) + 1] + u' ' + Esiti[i]);
            }
            for (int i = 17; i <= 19; ++i) {
                if (!Esiti[i].trimmed().isEmpty())
                    Label2_[++n]->setText(Titoli[i - 12] + u' ' + Esiti[i]);
            }
        }
    }
    delete PaginaWeb;
    PaginaWeb = nullptr;

    for (int i = 1; i <= Righe; ++i)
        Label2_[i]->show();
    repaint();
    QApplication::restoreOverrideCursor();
    cmdPrt_->show();
    barra_->setEnabled(true);
    contenuto_->setEnabled(true);
    text1_->setFocus(Qt::OtherFocusReason);
    inCorso_ = false;
}

void ChkMrn::Stampa()
{
    QPrinter stampante(QPrinter::HighResolution);
    if (PreparaStampante(stampante, StampanteCorrente(), u"MRN_"_s + codice_ + u".pdf"_s)) {
        stampante.setDocName(u"MRN "_s + codice_);
        QPainter p;
        if (p.begin(&stampante)) {
            QFont f(u"Courier New"_s, 12);
            f.setStyleHint(QFont::TypeWriter);
            f.setFixedPitch(true);
            p.setFont(f);
            const auto scrivi = [&p](int riga, int colonna, const QString& testo) {
                const QFontMetrics m(p.font(), p.device());
                int fine = int(testo.size());
                while (fine > 0 && testo.at(fine - 1).isSpace())
                    --fine;
                p.drawText(colonna * m.horizontalAdvance(u'H'), riga * m.height() + m.ascent(),
                           testo.left(fine));
            };
            scrivi(2, 3, u"Risultato MRN numero: "_s);
            QFont grassetto = f;
            grassetto.setBold(true);
            p.setFont(grassetto);
            scrivi(2, 28, codice_);
            p.setFont(f);
            for (int i = 1; i <= Righe; ++i) {
                if (!Label2_[i]->text().trimmed().isEmpty())
                    scrivi(12 + 2 * i, 3, Label2_[i]->text());
            }
            p.end();
        }
    }
    text1_->setFocus(Qt::OtherFocusReason);
}

void ChkMrn::ApriParametri()
{
    apreParametri_ = true;
    GWebPar parametri(this);
    parametri.exec();
}

void ChkMrn::ApriStampante()
{
    QPrinter stampante;
    const QString corrente = StampanteCorrente();
    if (!PdfInterno(corrente))
        stampante.setPrinterName(corrente);
    if (ScegliStampante(this, stampante))
        ImpostaStampanteCorrente(stampante.outputFormat() == QPrinter::PdfFormat &&
                                         stampante.printerName().isEmpty()
                                     ? QString::fromLatin1(NomeStampantePdf)
                                     : stampante.printerName());
}
