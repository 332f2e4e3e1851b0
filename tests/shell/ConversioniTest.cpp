#include "shell/Conversioni.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ValoreNumerico, DateENumeri)
{
    // 12 March 2004 is day 38058 of the serial calendar.
    EXPECT_EQ(ValoreNumerico(u"12/03/2004"_s), 38058);
    EXPECT_EQ(ValoreNumerico(u"12/03"_s), 0);
    EXPECT_EQ(ValoreNumerico(u"31/02/2004"_s), 0);
    EXPECT_EQ(ValoreNumerico(u""_s), 0);
    EXPECT_EQ(ValoreNumerico(u"   "_s), 0);
    EXPECT_EQ(ValoreNumerico(QVariant()), 0);
    EXPECT_EQ(ValoreNumerico(u"abc"_s), 0);
    EXPECT_EQ(ValoreNumerico(u" 120 "_s), 120);
    EXPECT_EQ(ValoreNumerico(u"-45"_s), -45);
    EXPECT_EQ(ValoreNumerico(QVariant(7)), 7);
}

TEST(ValoreNumerico, SeparatoreDecimaleDelSistema)
{
    const QLocale prima;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_DOUBLE_EQ(ValoreNumerico(u"12,5"_s), 12.5);
    // The plain notation of a hand-edited file still reads.
    EXPECT_DOUBLE_EQ(ValoreNumerico(u"12.5"_s), 12.5);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_DOUBLE_EQ(ValoreNumerico(u"12.5"_s), 12.5);
    QLocale::setDefault(prima);
}

TEST(DataSeriale, GiorniEFrazione)
{
    EXPECT_EQ(DataSeriale(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(DataSeriale(QDate(1900, 1, 1)), 2);
    const QDateTime mezzogiorno(QDate(2004, 3, 12), QTime(12, 0));
    EXPECT_DOUBLE_EQ(DataSeriale(mezzogiorno), 38058.5);
    EXPECT_EQ(DaDataSeriale(38058.75), QDateTime(QDate(2004, 3, 12), QTime(18, 0)));
    // Later is always bigger: the lists sort on it.
    EXPECT_LT(DataSeriale(QDateTime(QDate(2026, 1, 31), QTime(23, 59))),
              DataSeriale(QDateTime(QDate(2026, 2, 1), QTime(0, 1))));
}

TEST(Conversioni, TestiEImporti)
{
    EXPECT_EQ(ImportoNoveCifre(u"1.234,50"_s), u"000123450"_s);
    EXPECT_EQ(ImportoNoveCifre(u"123456789012"_s), u"456789012"_s);
    EXPECT_EQ(ImportoNoveCifre(u"   "_s), u""_s);
    EXPECT_EQ(CartellaPadre(u"C:\\A\\B.TXT"_s), u"C:\\A"_s);
    EXPECT_EQ(CartellaPadre(u"C:\\B.TXT"_s), u"C:"_s);
    EXPECT_EQ(CartellaPadre(u"/home/a/b.txt"_s), u"/home/a"_s);
    EXPECT_EQ(CartellaPadre(u"B.TXT"_s), u""_s);
    EXPECT_EQ(TestoODefault(QVariant()), u" "_s);
    EXPECT_EQ(TestoODefault(u"  "_s, u"x"_s), u"x"_s);
    EXPECT_EQ(TestoODefault(QString(QString(QChar(0)) + u"abc"_s), u"x"_s), u"x"_s);
    EXPECT_EQ(TestoODefault(u"val"_s, u"x"_s), u"val"_s);
    EXPECT_EQ(GiornoDueCifre(QDate(2026, 12, 7)), u"07"_s);
    EXPECT_EQ(MeseDueCifre(QDate(2026, 2, 17)), u"02"_s);
}

TEST(Conversioni, FiltriDeiTasti)
{
    EXPECT_EQ(SoloCifre('a'), 0);
    EXPECT_EQ(SoloCifre('.'), 0);
    EXPECT_EQ(SoloCifre('7'), '7');
    EXPECT_EQ(SoloCifre(8), 8);
    EXPECT_EQ(SoloCifre(22), 22);
    EXPECT_EQ(Maiuscolo('a'), 'A');
    EXPECT_EQ(Maiuscolo('z'), 'Z');
    EXPECT_EQ(Maiuscolo('5'), '5');
    EXPECT_EQ(Maiuscolo('A'), 'A');
}
