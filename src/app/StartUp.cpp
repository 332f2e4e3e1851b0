#include "app/StartUp.h"

#include "app/RigaNuoviMessaggi.h"

#include "info/ui/FrmRegistro.h"
#include "info/ui/InfZerpa.h"
#include "info/ui/frmAbout.h"
#include "invio/ui/Dos2Edi.h"
#include "piattaforma/Messaggi.h"
#include "piattaforma/Percorsi.h"
#include "piattaforma/ui/Dialoghi.h"
#include "piattaforma/ui/Schermo.h"
#include "ricezione/ui/Edi2Dos.h"
#include "ricezione/ui/GesParUx.h"
#include "ricezione/ui/Irildes.h"
#include "scambio/ui/GesVerif.h"
#include "shell/Avvio.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/ModuliOpzionali.h"
#include "shell/Routine.h"
#include "shell/ui/Aggiorna.h"
#include "shell/ui/FileUtiliUi.h"
#include "shell/ui/Finestre.h"
#include "shell/ui/GesPasWd.h"
#include "shell/ui/ParEdi.h"
#include "shell/ui/TastiComuni.h"
#include "strumenti/ui/GesAppl.h"
#include "strumenti/ui/gesColor.h"
#include "web/ui/ChkMrn.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QColor VerdeConnesso(0x1f, 0x9d, 0x3a);
const QColor RossoNonConnesso(0xd2, 0x23, 0x1e);

// What the window shows when an icon file is missing from the program folder:
// a disc of the same colour as the icon would have been.
QPixmap IndicatoreDisegnato(bool connesso)
{
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter pittore(&p);
    pittore.setRenderHint(QPainter::Antialiasing);
    const QColor colore = connesso ? VerdeConnesso : RossoNonConnesso;
    pittore.setPen(QPen(colore.darker(160), 2));
    pittore.setBrush(colore);
    pittore.drawEllipse(QRectF(2, 2, 28, 28));
    return p;
}

QPushButton* Pulsante(const QString& nome, const QString& testo, QWidget* padre)
{
    auto* b = new QPushButton(testo, padre);
    b->setObjectName(nome);
    b->setAutoDefault(false);
    return b;
}

QAction* Voce(QMenu* menu, const QString& nome, const QString& testo)
{
    QAction* a = menu->addAction(testo);
    a->setObjectName(nome);
    return a;
}

QMenu* Sottomenu(QMenuBar* barra, const QString& nome, const QString& testo)
{
    QMenu* m = barra->addMenu(testo);
    m->setObjectName(nome);
    m->menuAction()->setObjectName(nome);
    return m;
}

} // namespace

StartUp::StartUp(QWidget* padre) : QMainWindow(padre)
{
    setObjectName(QStringLiteral("StartUp"));
    setWindowTitle(QStringLiteral(" Norvel - scambio EDI via MODEM con la DOGANA"));
    CreaMenu();
    CreaControlli();

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(3000);
    connect(Timer1_, &QTimer::timeout, this, &StartUp::ControllaConnessione);

    new TastiComuni(this, cmdUscita_);
}

void StartUp::CreaMenu()
{
    QMenuBar* barra = menuBar();

    Mu_end_ = barra->addAction(QStringLiteral("&Uscita"));
    Mu_end_->setObjectName(QStringLiteral("Mu_end"));
    connect(Mu_end_, &QAction::triggered, this, &QWidget::close);

    Mu_Parametri_ =
        Sottomenu(barra, QStringLiteral("Mu_Parametri"), QStringLiteral("&Parametri..."));
    Mu_parDog_ = Voce(Mu_Parametri_, QStringLiteral("Mu_parDog"), QStringLiteral("&DOGANA"));
    Mu_Unix_ = Voce(Mu_Parametri_, QStringLiteral("Mu_Unix"), QStringLiteral("&Unix"));
    Mu_progr_ = Voce(Mu_Parametri_, QStringLiteral("Mu_progr"), QStringLiteral("&Applicativi"));
    Mu_color_ = Voce(Mu_Parametri_, QStringLiteral("Mu_color"), QStringLiteral("&Colori"));
    Mu_PassWd_ = Voce(Mu_Parametri_, QStringLiteral("Mu_PassWd"), QStringLiteral("&PassWord"));
    connect(Mu_parDog_, &QAction::triggered, this, &StartUp::ApriParametriDogana);
    connect(Mu_Unix_, &QAction::triggered, this, &StartUp::ApriParametriUnix);
    connect(Mu_progr_, &QAction::triggered, this, &StartUp::ApriApplicativi);
    connect(Mu_color_, &QAction::triggered, this, &StartUp::ApriColori);
    connect(Mu_PassWd_, &QAction::triggered, this, &StartUp::ApriPassword);

    Mprg_base_ = Sottomenu(barra, QStringLiteral("Mprg_base"), QStringLiteral("&Applicativi..."));
    for (int i = 1; i <= Ini::VociApplicativi; ++i) {
        const QString testo =
            i == 1 ? QStringLiteral("&Editor di Testi") : QStringLiteral("&Varie%1").arg(i);
        Mprg_var_[i] = Voce(Mprg_base_, QStringLiteral("Mprg_var_%1").arg(i), testo);
        connect(Mprg_var_[i], &QAction::triggered, this, [this, i]() { LanciaApplicativo(i); });
    }

    Mu_PathBase_ = barra->addAction(QStringLiteral("&Cartelle"));
    Mu_PathBase_->setObjectName(QStringLiteral("Mu_PathBase"));
    connect(Mu_PathBase_, &QAction::triggered, this, &StartUp::ApriCartelle);

    Mu_MRN_ = barra->addAction(QStringLiteral("&MRN"));
    Mu_MRN_->setObjectName(QStringLiteral("Mu_MRN"));
    connect(Mu_MRN_, &QAction::triggered, this, &StartUp::ApriMrn);

    Mu_help_ = Sottomenu(barra, QStringLiteral("Mu_help"), QStringLiteral("&?..."));
    Mu_norvel_ = Voce(Mu_help_, QStringLiteral("Mu_norvel"), QStringLiteral("Su Norvel"));
    Mu_zerpa_ = Voce(Mu_help_, QStringLiteral("Mu_zerpa"), QStringLiteral("Su ZERPA"));
    Mu_newexe_ =
        Voce(Mu_help_, QStringLiteral("Mu_newexe"), QStringLiteral("&Verifica aggiornamenti"));
    connect(Mu_norvel_, &QAction::triggered, this, &StartUp::ApriInfoNorvel);
    connect(Mu_zerpa_, &QAction::triggered, this, &StartUp::ApriInfoZerpa);
    connect(Mu_newexe_, &QAction::triggered, this, &StartUp::VerificaAggiornamenti);
    Mu_help_->addSeparator();
    Mu_registro_ =
        Voce(Mu_help_, QStringLiteral("Mu_registro"), QStringLiteral("&Registro trasferimenti"));
    connect(Mu_registro_, &QAction::triggered, this, &StartUp::ApriRegistro);
}

void StartUp::CreaControlli()
{
    auto* centro = new QWidget(this);
    auto* colonna = new QVBoxLayout(centro);
    colonna->setContentsMargins(10, 8, 10, 6);
    colonna->setSpacing(5);

    cmdInvia_ =
        Pulsante(QStringLiteral("cmdInvia"), QStringLiteral("&INVIA BOLLE IN DOGANA"), centro);
    cmdRicevi_ = Pulsante(QStringLiteral("cmdRicevi"),
                          QStringLiteral("&RICEVI MESSAGGI DALLA DOGANA"), centro);
    cmdIrildes_ =
        Pulsante(QStringLiteral("cmdIrildes"), QStringLiteral("&APPURAMENTI GARANZIA"), centro);
    cmdUscita_ = Pulsante(QStringLiteral("cmdUscita"), QStringLiteral("&USCITA"), centro);
    for (QPushButton* b : {cmdInvia_, cmdRicevi_, cmdIrildes_}) {
        b->setMinimumHeight(32);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        colonna->addWidget(b);
    }
    connect(cmdInvia_, &QPushButton::clicked, this, &StartUp::ApriInvio);
    connect(cmdRicevi_, &QPushButton::clicked, this, &StartUp::ApriRicezione);
    connect(cmdIrildes_, &QPushButton::clicked, this, &StartUp::ApriAppuramenti);
    connect(cmdUscita_, &QPushButton::clicked, this, &QWidget::close);

    auto* riga = new QHBoxLayout;
    lbConnesso_ = new QLabel(QStringLiteral("Connessione REMOTA:"), centro);
    lbConnesso_->setObjectName(QStringLiteral("lbConnesso"));
    Image1_ = new QLabel(centro);
    Image1_->setObjectName(QStringLiteral("Image1"));
    Image1_->setFixedSize(32, 32);
    Image1_->setAlignment(Qt::AlignCenter);
    lbConnesso_->setBuddy(Image1_);
    riga->addWidget(lbConnesso_);
    riga->addWidget(Image1_);
    riga->addStretch(1);
    cmdUscita_->setMinimumWidth(90);
    riga->addWidget(cmdUscita_);
    colonna->addLayout(riga);

    lbDitta_ = new QLabel(centro);
    lbDitta_->setObjectName(QStringLiteral("lbDitta"));
    lbDitta_->setAlignment(Qt::AlignCenter);
    QFont grassetto = lbDitta_->font();
    grassetto.setBold(true);
    lbDitta_->setFont(grassetto);
    colonna->addWidget(lbDitta_);
    lbNuovi_ = new RigaNuoviMessaggi(centro);
    colonna->addWidget(lbNuovi_);

    setCentralWidget(centro);
    MostraConnessione(false);
}

bool StartUp::Avvia()
{
    ImpostaCartellaProgramma();
    ImpostaFinestraPrincipale(this);
    if (!ChiediPasswordAvvio())
        return false;
    CreaFileIniSeManca();

    PosizioneTaskbar();
    const QRect schermo = GeometriaSchermo();
    geometriaAvvio_ =
        LimitaGeometria(GeometriaSalvata(), Twip(schermo.width()), Twip(schermo.height()),
                        LatoTaskbar, AltezzaTaskbar, LarghezzaTaskbar);

    // The display and the flag start from the state seen now: a flag seeded the
    // other way round would miss a change before the first tick, and would be
    // wrong for a window opened before it.
    ConnessoRemoto = ConnessioneRemotaAttiva();
    MostraConnessione(ConnessoRemoto);

    CaricaParametriAvvio();
    PulisciRegistroScaduto();
    PosizionaAllAvvio();
    CaricaMenuApplicativi();

    if (ParametriEdi.CartellaBase.isEmpty()) {
        ApriParametriAvvio();
        if (ParametriEdi.CartellaBase.isEmpty())
            return false;
    }
    AggiornaDitta();
    lbNuovi_->Aggiorna();

    if (!PreparaCartelleLavoro()) {
        Messaggio(QStringLiteral("ERRORE IN FASE DI CREAZIONE CARTELLA 'FIRMAVERIFICA"));
        ApriParametriAvvio();
        AggiornaDitta();
    }
    avviato_ = true;
    Timer1_->start();
    return true;
}

void StartUp::PosizionaAllAvvio()
{
    const QRect schermo = GeometriaSchermo();
    const QMargins bordo = CorniceFinestra(this);
    move(schermo.x() + Pixel(geometriaAvvio_.x()), schermo.y() + Pixel(geometriaAvvio_.y()));
    resize(Pixel(geometriaAvvio_.width()) - bordo.left() - bordo.right(),
           Pixel(geometriaAvvio_.height()) - bordo.top() - bordo.bottom());
    if (!inAttesaCornice_) {
        // Placed again once the window manager has framed it.
        inAttesaCornice_ = true;
        AllaCornice(this, [this]() { PosizionaAllAvvio(); });
    }
}

void StartUp::CaricaMenuApplicativi()
{
    for (int i = 1; i <= Ini::VociApplicativi; ++i) {
        const VoceApplicativo voce = LeggiVoceApplicativo(i);
        ImpostaVoceApplicativo(i, voce.nome, voce.visibile);
    }
}

void StartUp::ImpostaVoceApplicativo(int i, const QString& nome, bool visibile)
{
    if (i < 1 || i > Ini::VociApplicativi)
        return;
    if (!nome.isEmpty())
        Mprg_var_[i]->setText(nome);
    Mprg_var_[i]->setVisible(visibile);
    bool qualcuna = false;
    for (int k = 1; k <= Ini::VociApplicativi; ++k)
        qualcuna = qualcuna || Mprg_var_[k]->isVisible();
    Mprg_base_->menuAction()->setVisible(qualcuna);
}

void StartUp::AggiornaDitta()
{
    // On the demo sandbox nobody should take the window for the real link.
    const QString demo = ProgrammaDemo() ? QStringLiteral(" - DEMO") : QString();
    setWindowTitle(QStringLiteral(" Norvel - scambio EDI via MODEM con la DOGANA") + demo);
    lbDitta_->setText(ParametriEdi.Ditta + demo + QStringLiteral(" - ") + ParametriEdi.UtenteFtp);
}

void StartUp::MostraConnessione(bool connesso)
{
    const QString nome = connesso ? QStringLiteral("Via.ICO") : QStringLiteral("Alt.ICO");
    QPixmap icona(UnisciPercorso(CartellaProgramma, nome));
    // An installed program's user folder has no icons of its own.
    if (icona.isNull() && !CartellaDatiInstallati().isEmpty())
        icona.load(UnisciPercorso(CartellaDatiInstallati(), nome));
    if (icona.isNull())
        icona = IndicatoreDisegnato(connesso);
    Image1_->setPixmap(icona);
    const QString stato =
        connesso ? QStringLiteral("Connessione attiva") : QStringLiteral("Connessione non attiva");
    Image1_->setToolTip(stato);
    Image1_->setAccessibleName(stato);
    cmdRicevi_->setEnabled(connesso);
    cmdIrildes_->setEnabled(connesso);
}

void StartUp::ControllaConnessione()
{
    // A failing probe shows a box; ticks meanwhile must not stack more boxes.
    if (inControllo_)
        return;
    inControllo_ = true;
    const bool stato = ConnessioneRemotaAttiva();
    inControllo_ = false;
    if (stato == ConnessoRemoto)
        return;
    ConnessoRemoto = stato;
    MostraConnessione(stato);
}

bool StartUp::event(QEvent* evento)
{
    if (evento->type() == QEvent::WindowActivate && avviato_ && !uscitaFatta_) {
        QDir::setCurrent(CartellaProgramma);
        ControllaConnessione();
        Timer1_->start();
    }
    return QMainWindow::event(evento);
}

void StartUp::resizeEvent(QResizeEvent* evento)
{
    QMainWindow::resizeEvent(evento);
    if (isMinimized())
        return;
    const QMargins bordo = CorniceFinestra(this);
    const int orizzontale = bordo.left() + bordo.right();
    const int verticale = bordo.top() + bordo.bottom();
    const int minimaL = Pixel(LarghezzaMinima);
    const int minimaA = Pixel(AltezzaMinima);
    if (width() + orizzontale < minimaL) {
        resize(minimaL - orizzontale, height());
        return;
    }
    if (height() + verticale < minimaA)
        resize(width(), minimaA - verticale);
}

void StartUp::closeEvent(QCloseEvent* evento)
{
    if (!uscitaFatta_) {
        uscitaFatta_ = true;
        Timer1_->stop();
        SalvaPosizione(this);
        ScriviValoriUscita();
    }
    evento->accept();
    // The program ends with its main window, whatever else is open.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
    QCoreApplication::quit();
}

bool StartUp::ChiediPasswordAvvio()
{
    return RichiediParolaAccesso();
}

void StartUp::ApriParametriAvvio()
{
    ApriParEdi(this);
}

bool StartUp::ApriFileFirmato(const QString& percorso, const QString& titolo)
{
    // The editor opens the target whatever the unwrap gave: it shows what is there.
    const QString destino = UnisciPercorso(ParametriEdi.CartellaVerificati, titolo.chopped(4));
    VerificaFile(this, percorso, destino);
    if (destino.right(4).toUpper() == QLatin1String(".PDF")) {
        RunFile(this, destino);
        return true;
    }
    ArgomentoProgramma = QLatin1Char(' ') + destino;
    LanciaApplicazione(Ini::Varie + QLatin1Char('1'));
    return true;
}

void StartUp::ApriInvio()
{
    Timer1_->stop();
    Dos2Edi invio(this);
    invio.exec();
}

void StartUp::ApriRicezione()
{
    Timer1_->stop();
    lbNuovi_->SegnaVisti();
    Edi2Dos ricezione(this);
    ricezione.exec();
}

void StartUp::ApriAppuramenti()
{
    Timer1_->stop();
    Irildes appuramenti(this);
    appuramenti.exec();
}

void StartUp::ApriParametriDogana()
{
    Timer1_->stop();
    ApriParEdi(this);
    AggiornaDitta();
}

void StartUp::ApriParametriUnix()
{
    ApriGesParUx(this);
}

void StartUp::ApriApplicativi()
{
    Timer1_->stop();
    GesAppl finestra(this);
    connect(&finestra, &GesAppl::VoceMenu, this, &StartUp::ImpostaVoceApplicativo);
    finestra.exec();
}

void StartUp::ApriColori()
{
    Timer1_->stop();
    gesColor finestra(this);
    finestra.exec();
}

void StartUp::ApriPassword()
{
    Timer1_->stop();
    GestisciParolaAccesso(this);
}

void StartUp::ApriCartelle()
{
    Timer1_->stop();
    for (;;) {
        const QString percorso =
            ScegliFile(this, QString(), ParametriEdi.CartellaBase, QStringLiteral("File EDI (*)"));
        if (percorso.isEmpty())
            break;
        fileCorrente_ = percorso;
        titoloFileCorrente_ = QFileInfo(percorso).fileName();
        if (titoloFileCorrente_.right(4).toUpper() == QStringLiteral(".P7M") &&
            ApriFileFirmato(percorso, titoloFileCorrente_))
            continue;
        ArgomentoProgramma = QLatin1Char(' ') + percorso;
        LanciaApplicazione(Ini::Varie + QLatin1Char('1'));
    }
}

void StartUp::ApriMrn()
{
    ChkMrn finestra(this);
    finestra.exec();
}

void StartUp::ApriInfoNorvel()
{
    frmAbout finestra(this);
    finestra.exec();
}

void StartUp::ApriInfoZerpa()
{
    InfZerpa finestra(this);
    finestra.exec();
}

void StartUp::ApriRegistro()
{
    FrmRegistro finestra(this);
    finestra.exec();
}

void StartUp::VerificaAggiornamenti()
{
    CercaAggiornamenti();
}

void StartUp::LanciaApplicativo(int i)
{
    LanciaApplicazione(Ini::Varie + QString::number(i));
}
