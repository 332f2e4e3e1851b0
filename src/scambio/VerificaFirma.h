#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

// The unwrapping of one received file: a signed one (".P7M", any case) through
// the signature software's command "Sbusta.sh", an unsigned one by moving it.

inline constexpr char NomeComandoSbusta[] = "Sbusta.sh";

// Results, as EsitoOperazione carries them.
inline constexpr int SbustaRiuscito = 0;
inline constexpr int SbustaCopiaFallita = 1;    // an unsigned file did not reach its destination
inline constexpr int SbustaVerificaFallita = 2; // a signed file was not unwrapped

bool NomeFirmato(const QString& nome);

// "Sbusta.sh" of the base folder; without one the reference installed beside
// the program. Empty when there is none at all.
QString ComandoSbusta();

// How long a signature check may take before it counts as failed.
// ImpostaLimiteSbusta(ms) replaces it (tests); 0 goes back to the default.
int LimiteSbustaMs();
void ImpostaLimiteSbusta(int millisecondi);

// One run. Relative paths are taken from the base folder, as the receive
// window names its files ("Ricevuti\\name"). Avvia() deletes the old
// destination first, so an old copy never passes for a new one; Terminata
// comes once, from the event loop, with the result.
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
    QString Errore() const { return errore_; }

signals:
    void Terminata(int esito);

private:
    void Controlla();
    void Concludi(int esito);
    qint64 DimensioneDestino() const;
    void Ferma(bool conGruppo);

    QString origine_;
    QString destino_;
    QString errore_;
    bool firmato_ = false;
    bool finita_ = false;
    int esito_ = SbustaRiuscito;
    QProcess processo_;
    qint64 gruppo_ = 0;
    QTimer controllo_;
    QElapsedTimer trascorso_;
    qint64 fineProcessoMs_ = -1;
    qint64 ultimaDimensione_ = -1;
    qint64 dimensioneStabileDaMs_ = -1;
};

// Runs one unwrap to the end, events running meanwhile; returns the result.
int SbustaFile(const QString& origine, const QString& destino);
