#include "shell/Aggiornamenti.h"

#include "shell/ChiaviIni.h"
#include "shell/Conversioni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "shell/Routine.h"
#include "shell/Versione.h"

#include <QDate>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

const QString FineVoce = u"</P>"_s;

bool HaSchema(const QString& indirizzo)
{
    return indirizzo.startsWith(u"http://"_s, Qt::CaseInsensitive) ||
           indirizzo.startsWith(u"https://"_s, Qt::CaseInsensitive);
}

// The text from inizio to the next "</P>" (or to the end).
QString Valore(const QString& pagina, qsizetype inizio)
{
    const qsizetype fine = pagina.indexOf(FineVoce, inizio, Qt::CaseInsensitive);
    return pagina.mid(inizio, fine < 0 ? -1 : fine - inizio);
}

// Day, month and year as an Italian office writes them: "/", "-" or "." and a
// year of two or four digits (two digits: 1930 to 2029).
QDate DataVoce(const QString& testo)
{
    const QString t = testo.trimmed();
    if (const QDate d = QDate::fromString(t, u"yyyy-M-d"_s); d.isValid())
        return d;
    for (const QChar separatore : {u'/', u'-', u'.'}) {
        const QStringList parti = t.split(separatore);
        if (parti.size() != 3 || parti[0].size() > 2 || parti[1].size() > 2 ||
            (parti[2].size() != 2 && parti[2].size() != 4))
            continue;
        bool g = false, m = false, a = false;
        const int giorno = parti[0].toInt(&g);
        const int mese = parti[1].toInt(&m);
        int anno = parti[2].toInt(&a);
        if (!g || !m || !a || parti[2].front() == u'+' || parti[2].front() == u'-')
            continue;
        if (parti[2].size() == 2)
            anno += anno < 30 ? 2000 : 1900;
        return QDate(anno, mese, giorno);
    }
    return {};
}

} // namespace

QString SitoAggiornamenti()
{
    QString sito = LeggiIni(FileIni, Ini::SezAggiorna, Ini::Zerpa);
    if (sito.isEmpty())
        sito = Ini::DefaultZerpa;
    if (!sito.endsWith(u'/'))
        sito += u'/';
    return sito;
}

QString IndirizzoSulSito(const QString& sito, const QString& percorso)
{
    return (HaSchema(sito) ? sito : u"http://"_s + sito) + percorso;
}

QString IndirizzoPaginaVersioni()
{
    QString pagina = LeggiIni(FileIni, Ini::SezAggiorna, Ini::Aggiornamenti);
    if (pagina.isEmpty())
        pagina = u"Aggiornamenti/Versioni.htm"_s;
    return IndirizzoSulSito(SitoAggiornamenti(), pagina);
}

QString NomeProgrammaAggiornamenti()
{
    return NomeEseguibile().trimmed().toUpper();
}

QString VoceAggiornamento::Etichetta() const
{
    return codice + u" - "_s + descrizione + u" ("_s + data + u')';
}

AnalisiVersioni LeggiPaginaVersioni(const QString& pagina, const QString& nome, int versioneInUso,
                                    const QString& sito)
{
    AnalisiVersioni a;
    const QString chiaveVersione = nome + u'=';
    const qsizetype trovata = pagina.indexOf(chiaveVersione);
    if (trovata < 0) {
        a.paginaProgramma = nome + u".htm"_s;
        a.versioneUltima = versioneInUso;
    } else {
        const QStringList parti = Valore(pagina, trovata + chiaveVersione.size()).split(u'#');
        a.paginaProgramma = parti.value(0).trimmed();
        a.versioneUltima = NumeroVersione(LeggiVersione(parti.value(1)));
    }
    const int u = a.versioneUltima;
    a.testoUltima = VersioneDueCifre({u / 10000, (u / 100) % 100, u % 100});
    a.aggiornato = versioneInUso >= a.versioneUltima;
    if (a.aggiornato)
        return a;

    const QString chiaveVoce = nome + u':';
    for (qsizetype da = pagina.indexOf(chiaveVoce); da >= 0;
         da = pagina.indexOf(chiaveVoce, da + chiaveVoce.size())) {
        const QStringList parti = Valore(pagina, da + chiaveVoce.size()).split(u'#');
        VoceAggiornamento v;
        v.data = parti.value(1).trimmed();
        v.codice = parti.value(2).trimmed();
        v.descrizione = parti.value(3).trimmed();
        v.indirizzo = IndirizzoSulSito(sito, parti.value(0).trimmed());
        const QDate data = DataVoce(v.data);
        v.timbro = (data.isValid() ? DataSeriale(data) : 0) + 0.99;
        const double installato =
            ValoreNumerico(LeggiIni(FileIni, Ini::SezAggiornamenti, u'+' + v.codice));
        if (v.timbro > installato)
            a.nuovi.append(v);
    }
    return a;
}

QString MotivoNomeScaricamento(const QString& nome)
{
    if (nome.trimmed().isEmpty())
        return u"nome del file vuoto"_s;
    if (nome.startsWith(u'.'))
        return u"nome di file nascosto"_s;
    for (const QChar c : nome)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c == u'\\' || c == u'/')
            return u"il nome del file contiene caratteri non ammessi"_s;
    return {};
}
