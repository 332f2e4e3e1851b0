#include "ricezione/ElencoRicevuti.h"

#include "piattaforma/Percorsi.h"
#include "shell/Conversioni.h"
#include "shell/NomiFile.h"

#include <QFileInfo>

#include <algorithm>

QString ChiaveData(const QDateTime& data)
{
    return QString::asprintf("%016.10f", DataSeriale(data));
}

QString ChiaveDimensione(qint64 dimensione)
{
    return QStringLiteral("%1").arg(dimensione, 7, 10, QLatin1Char('0'));
}

void ElencoRicevuti::Svuota()
{
    righe_.clear();
    for (QStringList& l : liste_)
        l.clear();
}

void ElencoRicevuti::Carica(const QString& cartella, const QString& maschera)
{
    Svuota();
    const QChar barra = QLatin1Char('|');
    for (const QString& nome : FileCorrispondenti(cartella, maschera)) {
        const QFileInfo f(UnisciPercorso(cartella, nome));
        const QString data = ChiaveData(f.lastModified());
        const QString dimensione = ChiaveDimensione(f.size());
        liste_[0].append(nome + barra + data + barra + dimensione);
        liste_[1].append(data + barra + nome + barra + dimensione);
        liste_[2].append(dimensione + barra + nome + barra + data);
    }
    for (QStringList& l : liste_)
        std::stable_sort(l.begin(), l.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
    righe_.resize(liste_[0].size());
}

void ElencoRicevuti::Ordina(int colonna, ModoOrdine modo)
{
    colonna = std::clamp(colonna, 0, 2);
    const QStringList& lista = liste_[colonna];
    const qsizetype n = lista.size();
    righe_.resize(n);
    // Where the name, the date and the size stand in each list's lines.
    static const std::array<std::array<int, 3>, 3> posizioni = {{{0, 1, 2}, {1, 0, 2}, {1, 2, 0}}};
    const auto& p = posizioni[colonna];
    for (qsizetype k = 0; k < n; ++k) {
        const QStringList campi = lista[k].split(QLatin1Char('|'));
        RigaRicevuto& r = righe_[modo == Crescente ? k : n - 1 - k];
        r.nome = campi.value(p[0]);
        r.data = DaDataSeriale(campi.value(p[1]).toDouble());
        r.dimensione = campi.value(p[2]).toLongLong();
    }
}
