#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>

// The system's command-line FTP client, driven by a script written for the
// office's Windows client.

// The script in the system client's dialect: LF line ends, "Close" → "close",
// "ls" → "nlist" (bare names, one a line), "!del X" → "!rm -f X".
QByteArray TraduciScriptFtp(const QByteArray& script);

// The log-in line in the system client's own quoting, so that a user code or a
// password holding blanks, quotes or backslashes reaches the server unchanged.
QByteArray RigaUtenteCliente(const QString& utente, const QString& password);

class ClienteFtp : public QObject
{
    Q_OBJECT

public:
    explicit ClienteFtp(QObject* genitore = nullptr);
    // A client still running is ended: it never outlives its run.
    ~ClienteFtp() override;

    // Starts "tnftp -n -i -v" (or "ftp" when PATH has no tnftp) in cartella
    // and feeds it the translated script. False when no process could be
    // started.
    bool Avvia(const QString& cartella, const QByteArray& script);
    // The client Avvia would start, "" when PATH has none.
    static QString Programma();
    bool InEsecuzione() const;
    // Kills the client and collects what it printed.
    void Termina();

    // Everything the client printed so far, standard output and error merged.
    QString Trascrizione() const { return QString::fromLocal8Bit(trascrizione_); }
    qsizetype LunghezzaTrascrizione() const { return trascrizione_.size(); }
    // The same as printed, only ever added to while the client runs.
    const QByteArray& TrascrizioneGrezza() const { return trascrizione_; }
    qint64 Pid() const { return pid_; }
    // The exit status, or -1 when the client was killed or never ended.
    int Uscita() const { return uscita_; }
    // Why the start failed, for the record.
    QString ErroreAvvio() const { return errore_; }

signals:
    // New output was added to the transcript.
    void Stampato();
    void Terminato();

private:
    void Raccogli();

    QProcess processo_;
    QByteArray trascrizione_;
    QString errore_;
    qint64 pid_ = 0;
    int uscita_ = -1;
};
