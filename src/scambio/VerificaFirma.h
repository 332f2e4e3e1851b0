#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

// The unwrapping of one received file: a signed one (".P7M", any case) through
// the signature software's command "Sbusta.sh", an unsigned one by moving it.

inline constexpr char NomeComandoSbusta[] = "Sbusta.sh";
inline constexpr char NomeCertificatiCa[] = "CertificatiCA.pem";

// Results, as EsitoOperazione carries them.
inline constexpr int SbustaRiuscito = 0;
inline constexpr int SbustaCopiaFallita = 1;    // an unsigned file did not reach its destination
inline constexpr int SbustaVerificaFallita = 2; // a signed file was not unwrapped

bool NomeFirmato(const QString& nome);

// "Sbusta.sh" of the base folder; without one the reference installed beside
// the program. Empty when there is none at all.
QString ComandoSbusta();

// Whether what the command said on a success is that it unwrapped without a
// CA bundle, so that nobody checked who signed.
bool SenzaVerificaFirmatario(const QString& messaggio);

// How long a signature check may take before it counts as failed.
// ImpostaLimiteSbusta(ms) replaces it (tests); 0 goes back to the default.
int LimiteSbustaMs();
void ImpostaLimiteSbusta(int millisecondi);

// One run. Relative paths are taken from the base folder, as the receive
// window names its files ("Ricevuti\\name"). Avvia() deletes the old
// destination first, so an old copy never passes for a new one. A signed
// file counts as unwrapped only when the command ended with status 0 leaving
// a non-empty regular file; anything else, the bound included, is a failure
// that stops the command's whole process group and removes the destination.
// Terminata comes once, from the event loop, with the result; every run adds
// a record "verifica" to the transfer log.
class VerificaFirma : public QObject
{
    Q_OBJECT

public:
    VerificaFirma(const QString& origine, const QString& destino, QObject* genitore = nullptr);
    ~VerificaFirma() override;

    void Avvia();
    bool Finita() const { return finita_; }
    int Esito() const { return esito_; }
    QString Origine() const { return origine_; }
    QString Destino() const { return destino_; }
    // Why it failed, in the command's own words when it said any.
    QString Errore() const { return esito_ == SbustaRiuscito ? QString() : errore_; }
    // What the command said last, whatever the result.
    QString MessaggioComando() const { return messaggioComando_; }

signals:
    void Terminata(int esito);

private:
    QString DestinoNonValido() const;
    void ProcessoFinito(int codice, QProcess::ExitStatus stato);
    void LimiteScaduto();
    void Concludi(int esito);
    void ConcludiDopo(int esito);
    void Ferma(bool subito);
    bool DestinoCompleto() const;
    QString SpazioEsaurito() const;

    QString origine_;
    QString destino_;
    QString destinoDato_;
    QString errore_;
    QString messaggioComando_;
    bool firmato_ = false;
    bool finita_ = false;
    bool scaduto_ = false;
    bool avviato_ = false;
    int esito_ = SbustaRiuscito;
    QProcess processo_;
    qint64 gruppo_ = 0;
    QTimer limite_;
    QTimer grazia_;
};

// Runs one unwrap to the end, events running meanwhile; returns the result.
// messaggio, when given, gets Errore() on a failure, else MessaggioComando().
int SbustaFile(const QString& origine, const QString& destino, QString* messaggio = nullptr);
