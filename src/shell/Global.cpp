#include "shell/Global.h"

ParametriEdiT ParametriEdi;
ParametriUnixT ParametriUnix;
int ModoDebugUnix = 0;
std::array<ParametroWebT, SlotWeb> ParametriWeb;
int SchedeBrowser = 0;
std::array<QString, GruppiColore> Colori;

int OrdinaColInvio = OrdinaNome;
ModoOrdine OrdinaModoInvio = Crescente;
int OrdinaColRicevi = OrdinaNome;
ModoOrdine OrdinaModoRicevi = Crescente;
int ModoDebug = 0;
int MaxFile = 5;

std::array<int, 13> GiorniMese = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

QString CartellaProgramma;
QString FileIni;
QString FileComandiFtp;
QString CartellaTemp;

bool ConnessoRemoto = false;
int EsitoOperazione = 0;
int EsitoAggiornamento = 0;

QString ArgomentoProgramma;
int StileFinestra = 1;

QString ParolaAccesso;
QString TestoIniziale;

int LatoTaskbar = 0;
int AltezzaTaskbar = 0;
int LarghezzaTaskbar = 0;

QString DidascaliaSalvata;

int ModoInterrogazione = 0;
std::array<QString, 20> Esiti;
std::array<QString, 8> Titoli;
QString StampanteScelta;

void AzzeraGlobali()
{
    ParametriEdi = {};
    ParametriUnix = {};
    ModoDebugUnix = 0;
    ParametriWeb = {};
    SchedeBrowser = 0;
    StampanteScelta.clear();
    Colori = {};
    OrdinaColInvio = OrdinaNome;
    OrdinaModoInvio = Crescente;
    OrdinaColRicevi = OrdinaNome;
    OrdinaModoRicevi = Crescente;
    ModoDebug = 0;
    MaxFile = 5;
    GiorniMese = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    CartellaProgramma.clear();
    FileIni.clear();
    FileComandiFtp.clear();
    CartellaTemp.clear();
    ConnessoRemoto = false;
    EsitoOperazione = 0;
    EsitoAggiornamento = 0;
    ArgomentoProgramma.clear();
    StileFinestra = 1;
    ParolaAccesso.clear();
    TestoIniziale.clear();
    LatoTaskbar = 0;
    AltezzaTaskbar = 0;
    LarghezzaTaskbar = 0;
    DidascaliaSalvata.clear();
    ModoInterrogazione = 0;
    Esiti = {};
    Titoli = {};
}
