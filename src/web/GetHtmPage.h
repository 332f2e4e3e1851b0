#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <exception>

// One MRN or VAT enquiry: checks the code, fetches its page(s) and cuts the
// results out of the HTML by the pages' fixed markers.
class GetHtmPage
{
public:
    // A page that cannot be read as expected (no answer, a marker missing);
    // the fetch methods turn it into MessaggioNoConnessione.
    struct Guasto : std::exception
    {
        const char* what() const noexcept override { return "pagina non leggibile"; }
    };

    GetHtmPage();

    void plMRN(const QString& mrn);
    void plVAT(const QString& vat);
    // The page text the readers work on (normally the last page fetched).
    void plTestoPagina(const QString& testo);

    QString pgEsito(int i) const;  // 0..19, trimmed
    QString pgTitolo(int i) const; // 0..7, trimmed
    QString pgCodice() const { return codice_; }
    QString pgTipo() const { return tipo_; }

    // "" when the pages were read (results in pgEsito/pgTitolo), or a message.
    QString xGetPaginaMRN();
    QString xGetPaginaVAT();

    // Readers of the page text; true when it holds no error marker. They
    // throw Guasto on a missing marker.
    bool xGetEsito(bool bMess);
    bool xGetTransito();
    bool xGetVat(bool bMess);

    // The snippet after the current position: 150 characters, "?" and what the
    // office's code page cannot show as "e' s", no line breaks and <strong>,
    // "&agrave;" as "à", trimmed.
    QString TagliaTesto(const QString& pagina) const;

private:
    void Svuota();
    void Scarica(const QString& indirizzo);
    // Searches from the current position (1-based); on a hit the current
    // position goes just after the marker, otherwise to 0. A search started at
    // 0 is a failure: an expected marker was missing.
    bool Cerca(const QString& marcatore);
    bool CercaDaInizio(const QString& marcatore);
    // The snippet after the marker just found, cut before fine.
    QString Valore(const QString& fine);
    void MostraPagina(const QString& indirizzo, const QString& tipo);

    QString mrn_;
    QString vat_;
    QString codice_;
    QString indirizzo_;
    QString tipo_;
    QString pagina_;
    QByteArray corpo_;
    // Positions are not bounded: a current page with its scripts and styles
    // easily puts its markers beyond the 32767th character.
    qsizetype posizione_ = 0;
    std::array<QString, 20> esiti_;
    std::array<QString, 8> titoli_;
};
