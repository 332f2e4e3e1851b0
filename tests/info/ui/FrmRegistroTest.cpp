#include "support/CartellaProgrammaTest.h"
#include "support/ControlloModello.h"
#include "support/Risponditore.h"
#include "support/ui/AmbienteFinestre.h"

#include "info/ui/FrmRegistro.h"
#include "info/ui/ModelloRegistro.h"
#include "info/ui/RicercaGiorni.h"
#include "piattaforma/ui/Schermo.h"
#include "shell/RegistroTrasferimenti.h"

#include <QBrush>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Two runs of 7 December, as the runner writes them, and one of the 6th.
const QByteArray Sette =
    R"({"tipo":"inizio","ora":"2024-12-07T09:00:00+01:00","operazione":"invio","host":"ftp.agenziadogane.it","utente":"ACME","corsa":"a"}
{"tipo":"file","ora":"2024-12-07T09:00:02+01:00","file":"ACME1207.T01","direzione":"put","byte":1000,"esito":"accettato","risposta":"226 Transfer complete","corsa":"a"}
{"tipo":"file","ora":"2024-12-07T09:00:03+01:00","file":"ACME1207.T02","direzione":"put","byte":null,"esito":"rifiutato","risposta":"550 ACME1207.T02: Forbidden filename","corsa":"a"}
{"tipo":"file","ora":"2024-12-07T09:00:04+01:00","file":"ACME1207.T03","direzione":"put","byte":1002,"esito":"accettato","risposta":"226 Transfer complete","corsa":"a"}
{"tipo":"fine","ora":"2024-12-07T09:00:04+01:00","uscita":0,"durata_s":4.26,"esito":"completato","corsa":"a"}
{"tipo":"inizio","ora":"2024-12-07T11:30:00+01:00","operazione":"ricezione","host":"ftp.agenziadogane.it","utente":"ACME","corsa":"b"}
{"tipo":"file","ora":"2024-12-07T11:30:01+01:00","file":"ACME1207.N0 2","direzione":"get","byte":null,"esito":"non tentato","risposta":null,"motivo":"contiene spazi","corsa":"b"}
{"tipo":"file","ora":"2024-12-07T11:30:02+01:00","file":"ACME1207.T01","destinazione":".ricezione.ACME1207.T01","direzione":"get","byte":300,"esito":"accettato","risposta":"226 Transfer complete","corsa":"b"}
{"tipo":"fine","ora":"2024-12-07T11:30:09+01:00","uscita":-1,"durata_s":9,"esito":"interrotto","corsa":"b"}
)";
const QByteArray Sei =
    R"({"tipo":"inizio","ora":"2024-12-06T17:00:00+01:00","operazione":"elenco","host":"ftp.agenziadogane.it","utente":"ACME","corsa":"c"}
{"tipo":"fine","ora":"2024-12-06T17:00:01+01:00","uscita":0,"durata_s":1,"esito":"completato","corsa":"c"}
{"tipo":"file","ora":"2024-12-06T17:05:00+01:00","operazione":"verifica","file":"ACME1206.X01.P7M","destinazione":"ACME1206.X01","esito":"rifiutato","risposta":"Sbusta: busta danneggiata","corsa":"d"}
)";

class FrmRegistroTest : public CartellaProgrammaTest
{
protected:
    void SetUp() override
    {
        CartellaProgrammaTest::SetUp();
        ImpostaSchermo(QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1024));
    }
    void TearDown() override
    {
        finestra.reset();
        CartellaProgrammaTest::TearDown();
    }
    void Apri()
    {
        finestra = std::make_unique<FrmRegistro>();
        finestra->setWindowModality(Qt::NonModal);
        finestra->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(finestra.get()));
        AttendiRighe();
    }
    // The day is read on another thread.
    void AttendiRighe() const
    {
        ASSERT_TRUE(
            QTest::qWaitFor([&]() { return !finestra->Modello()->InCaricamento(); }, 20000));
    }
    template <typename T> T* Trova(const QString& nome) const
    {
        T* w = finestra->findChild<T*>(nome);
        EXPECT_NE(w, nullptr) << nome.toStdString();
        return w;
    }
    // The rows shown: time, operation, record, file, outcome.
    QStringList Righe() const
    {
        const QAbstractItemModel* m = finestra->Filtro();
        QStringList righe;
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList celle;
            for (int c :
                 {ModelloRegistro::ColOra, ModelloRegistro::ColOperazione, ModelloRegistro::ColTipo,
                  ModelloRegistro::ColFile, ModelloRegistro::ColEsito})
                celle << m->index(r, c).data().toString();
            righe << celle.join(u'|');
        }
        return righe;
    }
    QString Stato() const { return finestra->findChild<QLabel*>(u"lblStato"_s)->text(); }

    std::unique_ptr<FrmRegistro> finestra;
};

} // namespace

// Newest run first, each run's records in the order they were written; the
// files that did not go and the run that did not end in the warning colour.
TEST_F(FrmRegistroTest, IRecordDelGiornoInOrdine)
{
    ScriviFile(u"Registro/2024-12-07.jsonl"_s, Sette);
    ScriviFile(u"Registro/2024-12-06.jsonl"_s, Sei);
    ScriviFile(u"Registro/appunti.txt"_s, "non un registro");
    Apri();
    ControlloModello controllo(finestra->Modello());
    EXPECT_EQ(finestra->windowTitle(), u"Registro trasferimenti"_s);
    auto* giorni = Trova<QComboBox>(u"cmbGiorno"_s);
    ASSERT_EQ(giorni->count(), 2);
    EXPECT_EQ(giorni->itemText(0), u"07/12/2024"_s);
    EXPECT_EQ(giorni->itemText(1), u"06/12/2024"_s);
    EXPECT_EQ(finestra->Giorno(), QDate(2024, 12, 7));

    EXPECT_EQ(Righe(), QStringList({
                           u"11:30:00|ricezione|inizio||"_s,
                           u"11:30:01|ricezione|file|ACME1207.N0 2|non tentato"_s,
                           u"11:30:02|ricezione|file|ACME1207.T01|accettato"_s,
                           u"11:30:09|ricezione|fine||interrotto"_s,
                           u"09:00:00|invio|inizio||"_s,
                           u"09:00:02|invio|file|ACME1207.T01|accettato"_s,
                           u"09:00:03|invio|file|ACME1207.T02|rifiutato"_s,
                           u"09:00:04|invio|file|ACME1207.T03|accettato"_s,
                           u"09:00:04|invio|fine||completato"_s,
                       }));
    const QAbstractItemModel* m = finestra->Filtro();
    QStringList avvisi;
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, 0).data(Qt::BackgroundRole).value<QBrush>().style() != Qt::NoBrush)
            avvisi << m->index(r, ModelloRegistro::ColTipo).data().toString() + u' ' +
                          m->index(r, ModelloRegistro::ColFile).data().toString();
    EXPECT_EQ(avvisi, QStringList({u"file ACME1207.N0 2"_s, u"fine "_s, u"file ACME1207.T02"_s}));
    const auto dettagli = [&](int r) {
        return m->index(r, ModelloRegistro::ColDettagli).data().toString();
    };
    EXPECT_EQ(dettagli(0), u"utente ACME su ftp.agenziadogane.it"_s);
    EXPECT_EQ(dettagli(1), u"contiene spazi"_s);
    EXPECT_EQ(dettagli(6), u"550 ACME1207.T02: Forbidden filename"_s);
    EXPECT_EQ(dettagli(8), u"uscita 0, 4,3 s"_s);
    EXPECT_EQ(m->index(2, ModelloRegistro::ColByte).data().toString(), u"300"_s);
    EXPECT_EQ(Stato(), u"9 record"_s);

    giorni->setCurrentIndex(1);
    AttendiRighe();
    EXPECT_EQ(Righe(),
              QStringList({u"17:05:00|verifica|file|ACME1206.X01.P7M|rifiutato"_s,
                           u"17:00:00|elenco|inizio||"_s, u"17:00:01|elenco|fine||completato"_s}));
    EXPECT_TRUE(controllo.Violazioni().isEmpty())
        << controllo.Violazioni().join(u'\n').toStdString();
}

// A run cut short by a killed program has no end record: its start says
// "interrotto", in the warning colour; the other runs are as they were.
TEST_F(FrmRegistroTest, UnaCorsaSenzaFineRisultaInterrotta)
{
    ScriviFile(
        u"Registro/2024-12-07.jsonl"_s,
        Sette +
            R"({"tipo":"inizio","ora":"2024-12-07T12:00:00+01:00","operazione":"invio","host":"h","utente":"ACME","corsa":"d"}
{"tipo":"file","ora":"2024-12-07T12:00:01+01:00","file":"ACME1207.T04","direzione":"put","byte":10,"esito":"accettato","risposta":"226 Transfer complete","corsa":"d"}
)");
    Apri();
    const QStringList righe = Righe();
    ASSERT_EQ(righe.size(), 11);
    EXPECT_EQ(righe[0], u"12:00:00|invio|inizio||interrotto"_s);
    EXPECT_EQ(righe[2], u"11:30:00|ricezione|inizio||"_s);
    EXPECT_EQ(righe[6], u"09:00:00|invio|inizio||"_s);
    const QAbstractItemModel* m = finestra->Filtro();
    EXPECT_NE(m->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().style(), Qt::NoBrush);
    EXPECT_TRUE(m->index(0, ModelloRegistro::ColDettagli)
                    .data()
                    .toString()
                    .contains(u"nessun record di fine"_s));
    EXPECT_EQ(m->index(6, 0).data(Qt::BackgroundRole).value<QBrush>().style(), Qt::NoBrush);
}

TEST_F(FrmRegistroTest, FiltraPerNomeDelFile)
{
    ScriviFile(u"Registro/2024-12-07.jsonl"_s, Sette);
    Apri();
    auto* cerca = Trova<QLineEdit>(u"txtCerca"_s);
    QTest::keyClicks(cerca, u"t01"_s);
    EXPECT_EQ(Righe(), QStringList({u"11:30:02|ricezione|file|ACME1207.T01|accettato"_s,
                                    u"09:00:02|invio|file|ACME1207.T01|accettato"_s}));
    EXPECT_EQ(Stato(), u"2 di 9 record"_s);
    cerca->setText(u"T02 "_s);
    EXPECT_EQ(Righe(), QStringList({u"09:00:03|invio|file|ACME1207.T02|rifiutato"_s}));
    cerca->setText(u"[.*"_s);
    EXPECT_TRUE(Righe().isEmpty()) << "the text is searched as it is";
    cerca->clear();
    EXPECT_EQ(Righe().size(), 9);
    EXPECT_EQ(Stato(), u"9 record"_s);
}

// A crash cut a line: the window shows the rest, counts the line, and leaves
// the file as it found it; the next run wrote on a line of its own.
TEST_F(FrmRegistroTest, UnaRigaTroncataVieneSaltataEContata)
{
    const QByteArray tagliato =
        Sette + R"({"tipo":"inizio","ora":"2024-12-07T12:00:00+01:00","oper)" + "\n" + Sei;
    const QString percorso = ScriviFile(u"Registro/2024-12-07.jsonl"_s, tagliato);
    ASSERT_TRUE(QFile::setPermissions(percorso, QFile::ReadOwner | QFile::ReadGroup));
    const QDateTime modificato = QFileInfo(percorso).lastModified();
    Apri();
    EXPECT_EQ(Righe().size(), 12);
    EXPECT_EQ(Stato(), u"12 record \u2014 1 riga illeggibile saltata (scrittura interrotta)"_s);
    finestra->Aggiorna();
    AttendiRighe();
    finestra.reset();
    EXPECT_EQ(LeggiFile(percorso), tagliato);
    EXPECT_EQ(QFileInfo(percorso).lastModified(), modificato);
}

TEST_F(FrmRegistroTest, SenzaRegistroNonCreaNulla)
{
    Apri();
    EXPECT_FALSE(Trova<QComboBox>(u"cmbGiorno"_s)->isEnabled());
    EXPECT_EQ(finestra->Filtro()->rowCount(), 0);
    EXPECT_EQ(Stato(), u"Nessun trasferimento registrato."_s);
    EXPECT_FALSE(QFileInfo::exists(Percorso(u"Registro"_s)));

    // A run logged while the window is open shows up on "Aggiorna".
    ScriviFile(u"Registro/2024-12-06.jsonl"_s, Sei);
    QTest::mouseClick(Trova<QPushButton>(u"cmdAggiorna"_s), Qt::LeftButton);
    AttendiRighe();
    EXPECT_EQ(finestra->Giorno(), QDate(2024, 12, 6));
    EXPECT_EQ(Righe().size(), 3);
}

// A double click, or Enter, shows every field of the record.
TEST_F(FrmRegistroTest, IlDoppioClicMostraIlRecordIntero)
{
    ScriviFile(u"Registro/2024-12-07.jsonl"_s, Sette);
    Apri();
    auto* tabella = Trova<QTableView>(u"grdRegistro"_s);
    Trova<QLineEdit>(u"txtCerca"_s)->setText(u"T02"_s);
    RisponditoreTest().Rispondi(Risposta::Ok, u"file: ACME1207.T02"_s);
    const QModelIndex cella = finestra->Filtro()->index(0, ModelloRegistro::ColFile);
    const QPoint punto = tabella->visualRect(cella).center();
    QTest::mouseClick(tabella->viewport(), Qt::LeftButton, {}, punto);
    QTest::mouseDClick(tabella->viewport(), Qt::LeftButton, {}, punto);
    ASSERT_EQ(RisponditoreTest().Ricevuti().size(), 1);
    const RichiestaMessaggio& box = RisponditoreTest().Ricevuti()[0].richiesta;
    EXPECT_EQ(box.titolo, u"Registro trasferimenti"_s);
    EXPECT_EQ(box.testo, u"tipo: file\n"
                         "ora: 2024-12-07T09:00:03+01:00\n"
                         "file: ACME1207.T02\n"
                         "direzione: put\n"
                         "byte: -\n"
                         "esito: rifiutato\n"
                         "risposta: 550 ACME1207.T02: Forbidden filename\n"
                         "corsa: a"_s);

    RisponditoreTest().Rispondi(Risposta::Ok, u"esito: rifiutato"_s);
    tabella->setFocus();
    QTest::keyClick(tabella, Qt::Key_Return);
    EXPECT_EQ(RisponditoreTest().Ricevuti().size(), 2);
}

// A busy day: the window indexes it, and reads only the rows it shows (and
// those a search looks at, by their file name alone).
TEST_F(FrmRegistroTest, UnGiornoLungoSiLeggeARighe)
{
    QByteArray giorno;
    for (int i = 0; i < 5000; ++i)
        giorno +=
            R"({"tipo":"file","ora":"2024-12-07T10:00:00+01:00","operazione":"verifica","file":"F)" +
            QByteArray::number(i) + R"(.P7M","esito":"accettato","corsa":"v)" +
            QByteArray::number(i) + "\"}\n";
    ScriviFile(u"Registro/2024-12-07.jsonl"_s, giorno);
    Apri();
    EXPECT_EQ(finestra->Modello()->rowCount(), 5000);
    EXPECT_EQ(Stato(), u"5000 record"_s);
    EXPECT_LT(finestra->Modello()->RigheLette(), 1100) << "only the rows looked at are parsed";
    const QAbstractItemModel* m = finestra->Filtro();
    EXPECT_EQ(m->index(0, ModelloRegistro::ColFile).data().toString(), u"F4999.P7M"_s);
    EXPECT_EQ(m->index(4999, ModelloRegistro::ColOperazione).data().toString(), u"verifica"_s);
    EXPECT_EQ(finestra->Modello()->Record(4999).value(u"file"_s).toString(), u"F0.P7M"_s);
    Trova<QLineEdit>(u"txtCerca"_s)->setText(u"F123.P"_s);
    EXPECT_EQ(Righe(), QStringList{u"10:00:00|verifica|file|F123.P7M|accettato"_s});
    EXPECT_LT(finestra->Modello()->RigheLette(), 1100);
}

// A day chosen while another is still being read shows only its own rows;
// a day that can no longer be read says so and shows none.
TEST_F(FrmRegistroTest, SoloIlGiornoSceltoPerUltimoEUnGiornoIlleggibile)
{
    QByteArray lungo;
    for (int i = 0; i < 20000; ++i)
        lungo += R"({"tipo":"file","file":"L)" + QByteArray::number(i) + "\"}\n";
    ScriviFile(u"Registro/2024-12-07.jsonl"_s, lungo);
    ScriviFile(u"Registro/2024-12-06.jsonl"_s, Sei);
    const QString perso = ScriviFile(u"Registro/2024-12-05.jsonl"_s, Sei);
    Apri();
    auto* giorni = Trova<QComboBox>(u"cmbGiorno"_s);
    ASSERT_EQ(giorni->count(), 3);
    for (int giro = 0; giro < 3; ++giro) {
        giorni->setCurrentIndex(0);
        giorni->setCurrentIndex(1);
    }
    EXPECT_EQ(Stato(), u"Lettura del registro..."_s);
    AttendiRighe();
    QTest::qWait(200); // a late answer for the long day would show now
    EXPECT_EQ(finestra->Giorno(), QDate(2024, 12, 6));
    EXPECT_EQ(Righe().size(), 3);
    EXPECT_EQ(Stato(), u"3 record"_s);

    ASSERT_TRUE(QFile::remove(perso)); // gone after the days were listed
    giorni->setCurrentIndex(2);
    AttendiRighe();
    EXPECT_EQ(finestra->Filtro()->rowCount(), 0);
    EXPECT_TRUE(Stato().startsWith(u"Impossibile leggere il registro: "_s))
        << Stato().toStdString();
}

// Every day searched off the window's thread, newest first with its day; a
// file's story from the selected row, across the days.
TEST_F(FrmRegistroTest, CercaInTuttiIGiorniEStoriaDelFile)
{
    ScriviFile(u"Registro/2024-12-07.jsonl"_s, Sette);
    ScriviFile(
        u"Registro/2024-12-05.jsonl"_s,
        R"({"tipo":"inizio","ora":"2024-12-05T08:00:00+01:00","operazione":"invio","corsa":"z"}
{"tipo":"file","ora":"2024-12-05T08:00:01+01:00","file":"ACME1207.T01","direzione":"put","esito":"rifiutato","risposta":"550 No","corsa":"z"}
)");
    ASSERT_NO_FATAL_FAILURE(Apri());
    auto righe = [this](const QString& nome) {
        QStringList r;
        auto* l = Trova<QListWidget>(nome);
        for (int i = 0; i < l->count(); ++i)
            r << l->item(i)->text();
        return r;
    };
    QTest::keyClicks(Trova<QLineEdit>(u"txtCercaTutti"_s), u"t01"_s);
    Trova<QPushButton>(u"cmdCercaTutti"_s)->click();
    QTRY_VERIFY_WITH_TIMEOUT(!finestra->Ricerca()->InCorso(), 60000);
    EXPECT_EQ(righe(u"lstRisultati"_s),
              QStringList(
                  {u"2024-12-07 11:30:02  ricezione  ACME1207.T01 -> .ricezione.ACME1207.T01  "
                   u"accettato  226 Transfer complete"_s,
                   u"2024-12-07 09:00:02  invio  ACME1207.T01  accettato  226 Transfer complete"_s,
                   u"2024-12-05 08:00:01  invio  ACME1207.T01  rifiutato  550 No"_s}));

    // The day's row of T03: its one record.
    auto* griglia = Trova<QTableView>(u"grdRegistro"_s);
    griglia->setCurrentIndex(finestra->Filtro()->index(7, 0));
    QTRY_VERIFY_WITH_TIMEOUT(!finestra->Ricerca()->InCorso(), 60000);
    EXPECT_EQ(
        righe(u"lstStoria"_s),
        QStringList(
            {u"2024-12-07 09:00:04  invio  ACME1207.T03  accettato  226 Transfer complete"_s}));
    // A result's file: sent twice, fetched once.
    Trova<QListWidget>(u"lstRisultati"_s)->setCurrentRow(0);
    QTRY_VERIFY_WITH_TIMEOUT(!finestra->Ricerca()->InCorso(), 60000);
    EXPECT_EQ(righe(u"lstStoria"_s).size(), 3);
    EXPECT_EQ(Trova<QLabel>(u"lblStoria"_s)->text(), u"Storia del file ACME1207.T01:"_s);
}
