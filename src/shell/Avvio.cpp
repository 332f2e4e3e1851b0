#include "shell/Avvio.h"

#include "piattaforma/ArchivioUtente.h"
#include "piattaforma/Orologio.h"
#include "piattaforma/Percorsi.h"
#include "shell/Calendario.h"
#include "shell/CartelleLavoro.h"
#include "shell/ChiaviIni.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/RegistroTrasferimenti.h"
#include "shell/Routine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

int Intero16(double v)
{
    return static_cast<int>(std::clamp(v, -32768.0, 32767.0));
}

int LeggiTwip(QLatin1StringView chiave)
{
    return Intero16(ValoreNumerico(LeggiIni(FileIni, Ini::SezStartUp, chiave)));
}

QString SezioneApplicativi()
{
    return Ini::SezApplicativi;
}

} // namespace

void ImpostaCartellaProgramma()
{
    CartellaProgramma = SenzaSeparatoreFinale(QDir(CartellaProgramma).absolutePath());
    QDir::setCurrent(CartellaProgramma);
    FileIni = UnisciPercorso(CartellaProgramma, NomeEseguibile() + QStringLiteral(".ini"));
}

void CreaFileIniSeManca()
{
    if (QFileInfo::exists(FileIni))
        return;
    ScriviIni(FileIni, Ini::SezUnix, Ini::Path, Ini::DefaultPathUnix);
    ScriviIni(FileIni, Ini::SezPc, Ini::Path, CartellaBasePredefinita());
}

QRect GeometriaSalvata()
{
    return QRect(LeggiTwip(Ini::PosX), LeggiTwip(Ini::PosY), LeggiTwip(Ini::DimX),
                 LeggiTwip(Ini::DimY));
}

QRect LimitaGeometria(QRect g, int larghezzaSchermo, int altezzaSchermo, int latoTaskbar,
                      int altezzaTaskbar, int larghezzaTaskbar)
{
    int sinistra = g.x();
    int alto = g.y();
    // A size saved on a larger screen is cut to this one's free area, never
    // below the minimum.
    int liberaL = larghezzaSchermo - (latoTaskbar == 1 || latoTaskbar == 3 ? larghezzaTaskbar : 0);
    int liberaA = altezzaSchermo - (latoTaskbar == 0 || latoTaskbar == 2 ? altezzaTaskbar : 0);
    int larghezza = std::max(std::min(g.width(), liberaL), LarghezzaMinima);
    int altezza = std::max(std::min(g.height(), liberaA), AltezzaMinima);

    if (sinistra < 0)
        sinistra = 0;
    if (larghezzaSchermo - larghezza < sinistra)
        sinistra = larghezzaSchermo - larghezza;
    if (alto < 0)
        alto = 0;
    if (altezzaSchermo - altezza <= alto)
        alto = altezzaSchermo - altezza;

    switch (latoTaskbar) {
    case 0:
        if (altezzaSchermo - altezzaTaskbar < alto + altezza)
            alto = altezzaSchermo - altezzaTaskbar - altezza;
        break;
    case 1:
        if (larghezzaSchermo - larghezzaTaskbar < sinistra + larghezza)
            sinistra = larghezzaSchermo - larghezzaTaskbar - larghezza;
        break;
    case 2:
        alto = std::max(alto, altezzaTaskbar);
        break;
    case 3:
        sinistra = std::max(sinistra, larghezzaTaskbar);
        break;
    default:
        break;
    }
    return QRect(std::max(sinistra, 0), std::max(alto, 0), larghezza, altezza);
}

QString EditorPredefinito()
{
#ifdef Q_OS_WIN
    QString sistema = qEnvironmentVariable("SystemRoot", QStringLiteral("C:\\Windows"));
    return sistema + QStringLiteral("\\System32\\notepad.exe");
#else
    return Ini::EditorDelDesktop;
#endif
}

void ImpostaDefaultApplicativi()
{
    const QString sez = SezioneApplicativi();
    if (LeggiIni(FileIni, sez, Ini::NomeVarie + QLatin1Char('1')).isEmpty())
        ScriviIni(FileIni, sez, Ini::NomeVarie + QLatin1Char('1'), Ini::DefaultNomeVarie1);
    if (LeggiIni(FileIni, sez, Ini::Varie + QLatin1Char('1')).isEmpty())
        ScriviIni(FileIni, sez, Ini::Varie + QLatin1Char('1'), EditorPredefinito());
}

void CaricaParametriAvvio()
{
    CaricaParametriWeb();
    RiempiGiorniMese(Oggi().year());
    CaricaParametriEdi();
    ImpostaDefaultApplicativi();
    CartellaTemp =
        UnisciPercorso(CartellaProgramma, QStringLiteral("TempFile")) + QDir::separator();
    if (!QFileInfo(CartellaTemp).isDir())
        QDir().mkdir(CartellaTemp);
}

VoceApplicativo LeggiVoceApplicativo(int i)
{
    const QString n = QString::number(i);
    VoceApplicativo voce;
    voce.nome = LeggiIni(FileIni, SezioneApplicativi(), Ini::NomeVarie + n);
    voce.comando = LeggiIni(FileIni, SezioneApplicativi(), Ini::Varie + n);
    if (i == 1) {
        if (voce.nome.isEmpty())
            voce.nome = QStringLiteral("Editor di Testi");
        if (voce.comando.isEmpty())
            voce.comando = CartellaProgramma;
    }
    voce.visibile = !voce.nome.isEmpty() && !voce.comando.isEmpty();
    return voce;
}

bool PreparaCartelleLavoro()
{
    const bool riuscito = CreaCartelle();
    FileComandiFtp = UnisciPercorso(CartellaProgramma, QStringLiteral("Xcmd.txt"));
    // A script left by a program killed during a run is of no use (one of an
    // older version may hold the password in clear); debug mode keeps them.
    if (ModoDebug == 0)
        QFile::remove(FileComandiFtp);
    CaricaColori();
    return riuscito;
}

int PulisciRegistroScaduto()
{
    const QString valore = LeggiIni(FileIni, Ini::SezEdi, Ini::GiorniRegistro);
    // A value that reads as no number deletes nothing: a slip in the settings
    // must not cost the office its log.
    const double giorni = valore.isEmpty() ? GiorniRegistroPredefiniti : ValoreNumerico(valore);
    if (!(giorni >= 1))
        return 0;
    return PulisciRegistro(static_cast<int>(std::min(giorni, 1e6)), Oggi());
}

QString VersioneProgramma()
{
    return QStringLiteral(NORVEL_VERSIONE);
}

void ScriviValoriUscita()
{
    const QString adesso = Adesso().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    const QString sezione = QStringLiteral("Setting");
    ScriviValoreUtente(NomeEseguibile(), sezione, QStringLiteral("ExePath"), CartellaProgramma);
    ScriviValoreUtente(NomeEseguibile(), sezione, QStringLiteral("ExeRun"), adesso);
    ScriviValoreUtente(VersioneProgramma(), sezione, QStringLiteral("ExeVersion"), adesso);
}
