#pragma once

#include "web/RichiestaPagina.h"

#include <QDialog>
#include <QUrl>

#include <memory>

class QPageLayout;
class QPageRanges;
class QPrinter;
class QPushButton;
class QWebEngineView;

// The page window: loads a fetched page's address in an embedded browser,
// waits for it, titles itself from the code and prints it on the current
// printer when the mode asks.
class FrmWeb : public QDialog
{
    Q_OBJECT

public:
    explicit FrmWeb(QWidget* padre = nullptr);
    ~FrmWeb() override;

    void plUrl(const QString& indirizzo) { url_ = indirizzo; }
    void plObject(const QString& codice) { codice_ = codice; }
    void plTipo(const QString& tipo) { tipo_ = tipo; }

    // 6 waited normally, 7 the person gave up waiting; afterwards the result
    // of handing the address to the desktop.
    int pgStato() const { return stato_; }
    // The status with what became of the print.
    EsitoPagina pgEsito() const;

    // How long a page may take before the question (tests shorten it).
    static void ImpostaAttesaPagina(int millisecondi);

protected:
    void showEvent(QShowEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void done(int risultato) override;

private:
    void Carica();
    void Posiziona();
    void AttendiPagina();
    void StampaPagina();
    // Prints on stampante_, kept until the engine says the print ended.
    bool StampaSuStampante();
    void ScriviPdf(const QString& file, const QPageLayout& pagina, const QPageRanges& pagine);
    void SalvaGeometria();

    QWebEngineView* WebBrowser1_ = nullptr;
    std::unique_ptr<QPrinter> stampante_;
    QString esitoStampa_ = QStringLiteral("nessuna");
    QString filePdf_;
    QPushButton* Command1_ = nullptr;
    QString url_;
    QString codice_;
    QString tipo_;
    int modo_ = 0;
    int stato_ = 6;
    bool avviata_ = false;
    bool inCorso_ = false;
    bool chiusuraRimandata_ = false;
};
