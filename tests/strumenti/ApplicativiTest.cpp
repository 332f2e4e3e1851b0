#include "support/CartellaProgrammaTest.h"

#include "shell/Global.h"
#include "shell/Impostazioni.h"
#include "strumenti/Applicativi.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

class ApplicativiTest : public CartellaProgrammaTest
{
protected:
    QString Eseguibile(const QString& nome)
    {
        const QString p = ScriviFile(nome, "#!/bin/sh\n");
        QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return p;
    }
};

} // namespace

TEST_F(ApplicativiTest, ComandoEsistente)
{
    const QString semplice = Eseguibile(u"bin/editor"_s);
    const QString conSpazio = Eseguibile(u"Miei Programmi/gestione magazzino"_s);
    const struct
    {
        QString comando;
        bool atteso;
    } casi[] = {
        {u""_s, true},
        {u"   "_s, true},
        {semplice, true},
        {u"  "_s + semplice + u"  "_s, true},
        {semplice + u" --nuovo /tmp/a b"_s, true},
        {conSpazio, true},
        {u'"' + conSpazio + u"\" -x"_s, true},
        {Percorso(u"bin/editro"_s), false},
        {Percorso(u"Miei Programmi/gestione"_s), false},
        {Percorso(u"bin"_s), false},
        {u"sh"_s, true},
        {u"sh -c true"_s, true},
        {u"programma-che-non-esiste-davvero"_s, false},
        // Quotes with nothing inside name no program.
        {u"\"\" -x"_s, false},
    };
    for (const auto& c : casi)
        EXPECT_EQ(ComandoEsistente(c.comando), c.atteso) << c.comando.toStdString();
}

TEST_F(ApplicativiTest, IlDefaultDellEditorPassaAncheSenzaPath)
{
    const QByteArray vero = qgetenv("PATH");
    qputenv("PATH", Percorso(u"vuota"_s).toUtf8());
    EXPECT_TRUE(ComandoEsistente(u"xdg-open"_s));
    EXPECT_FALSE(ComandoEsistente(u"sh"_s));
    qputenv("PATH", vero);
}

TEST_F(ApplicativiTest, PrimoErroreNellOrdineDelleVoci)
{
    const QString buono = Eseguibile(u"bin/buono"_s);
    const QString errato = Percorso(u"bin/bunoo"_s);
    auto voci = [](std::initializer_list<std::tuple<int, QString, QString>> elenco) {
        VociApplicativi v;
        for (const auto& [n, nome, comando] : elenco)
            v[n] = {nome, comando};
        return v;
    };
    const struct
    {
        VociApplicativi voci;
        int errore;
    } casi[] = {
        {voci({}), 0},
        {voci({{2, u"Solo nome"_s, u""_s}}), 0},
        {voci({{1, u"Editor"_s, buono}, {2, u"Magazzino"_s, buono + u" -a"_s}}), 0},
        {voci({{3, u""_s, buono}}), 3},
        {voci({{3, u"   "_s, buono}}), 3},
        {voci({{4, u"Paghe"_s, errato}}), 15},
        {voci({{11, u""_s, buono}}), 11},
        {voci({{11, u"Ultima"_s, errato}}), 22},
        {voci({{5, u"Prima"_s, errato}, {2, u""_s, buono}}), 2},
        {voci({{5, u"Prima"_s, errato}, {9, u""_s, buono}}), 16},
    };
    for (const auto& c : casi)
        EXPECT_EQ(PrimoErroreApplicativi(c.voci), c.errore);
    EXPECT_EQ(TestoErroreApplicativi(7),
              u"INDICARE IL NOME DEL PROGRAMMA\nDA VISUALIZZARE NEL MENU"_s);
    EXPECT_EQ(TestoErroreApplicativi(18), u"IL PERCORSO INDICATO NON ESISTE"_s);
}

TEST_F(ApplicativiTest, LetturaEScritturaRifilate)
{
    ScriviIni(FileIni, u"APPLICATIVI"_s, u"NomeVarie4"_s, u"  Paghe  "_s);
    ScriviIni(FileIni, u"applicativi"_s, u"VARIE4"_s, u" /opt/paghe/avvia "_s);
    VociApplicativi voci = LeggiApplicativi();
    EXPECT_EQ(voci[4].nome, u"Paghe"_s);
    EXPECT_EQ(voci[4].comando, u"/opt/paghe/avvia"_s);
    EXPECT_TRUE(voci[11].nome.isEmpty());

    voci[11] = {u" Ultima "_s, u" sh "_s};
    ScriviApplicativi(voci);
    EXPECT_EQ(LeggiIni(FileIni, u"APPLICATIVI"_s, u"NomeVarie11"_s), u"Ultima"_s);
    EXPECT_EQ(LeggiIni(FileIni, u"APPLICATIVI"_s, u"Varie11"_s), u"sh"_s);
}

TEST_F(ApplicativiTest, CartellaDiRicercaEComandoScelto)
{
    const QString conSpazio = Eseguibile(u"Miei Programmi/gestione"_s);
    EXPECT_EQ(CartellaRicercaComando(conSpazio), Percorso(u"Miei Programmi"_s));
    EXPECT_EQ(CartellaRicercaComando(u'"' + conSpazio + u"\" -a"_s), Percorso(u"Miei Programmi"_s));
    EXPECT_EQ(CartellaRicercaComando(u"/opt/paghe/avvia --x"_s), u"/opt/paghe"_s);
    // A bare program name or nothing: the system's programs.
    EXPECT_EQ(CartellaRicercaComando(u"xdg-open"_s), u"/usr/bin"_s);
    EXPECT_EQ(CartellaRicercaComando(u""_s), u"/usr/bin"_s);

    EXPECT_EQ(ComandoDaFile(u"/usr/bin/gedit"_s), u"/usr/bin/gedit"_s);
    EXPECT_EQ(ComandoDaFile(conSpazio), u'"' + conSpazio + u'"');
    EXPECT_TRUE(ComandoEsistente(ComandoDaFile(conSpazio)));
}
