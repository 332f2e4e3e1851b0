#pragma once

#include <QProcess>
#include <QString>

// A virtual X server (Xvfb) with the openbox window manager, for the tests
// that need what a real desktop does to windows: frames, placement. The server
// picks a free display itself, so two test programs never race for one.
class SchermoVirtuale
{
public:
    SchermoVirtuale() = default;
    ~SchermoVirtuale();
    SchermoVirtuale(const SchermoVirtuale&) = delete;
    SchermoVirtuale& operator=(const SchermoVirtuale&) = delete;

    // Xvfb and openbox found on PATH.
    static bool StrumentiPresenti();
    // Starts the server and the window manager; false, with the reason in
    // Errore(), when either does not come up.
    bool Avvia(int larghezza = 1280, int altezza = 1024);
    void Ferma();
    // The window manager alone, to let windows go unframed for a while and
    // then have them framed as a manager that comes late does.
    void FermaGestore();
    bool AvviaGestore();

    // ":N" once started.
    QString Display() const { return display_; }
    QString Errore() const { return errore_; }

    // A screenshot of the whole screen into a PNG file (ImageMagick's import).
    bool Fotografa(const QString& file) const;

private:
    QProcess server_;
    QProcess gestore_;
    QString display_;
    QString errore_;
};

// The screen of a test program run by MainSchermo: null when it could not be
// started (the reason in MotivoSenzaSchermo()).
SchermoVirtuale* SchermoDiProva();
QString MotivoSenzaSchermo();
