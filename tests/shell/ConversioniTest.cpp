#include "shell/Conversioni.h"

#include <QLocale>

#include <gtest/gtest.h>

TEST(ValoreNumerico, DateENumeri)
{
    // 12 March 2004 is day 38058 of the serial calendar.
    EXPECT_EQ(ValoreNumerico(QString("12/03/2004")), 38058);
    EXPECT_EQ(ValoreNumerico(QString("12/03")), 0);
    EXPECT_EQ(ValoreNumerico(QString("31/02/2004")), 0);
    EXPECT_EQ(ValoreNumerico(QString("")), 0);
    EXPECT_EQ(ValoreNumerico(QString("   ")), 0);
    EXPECT_EQ(ValoreNumerico(QVariant()), 0);
    EXPECT_EQ(ValoreNumerico(QString("abc")), 0);
    EXPECT_EQ(ValoreNumerico(QString(" 120 ")), 120);
    EXPECT_EQ(ValoreNumerico(QString("-45")), -45);
    EXPECT_EQ(ValoreNumerico(QVariant(7)), 7);
}

TEST(ValoreNumerico, SeparatoreDecimaleDelSistema)
{
    const QLocale prima;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_DOUBLE_EQ(ValoreNumerico(QString("12,5")), 12.5);
    // The plain notation of a hand-edited file still reads.
    EXPECT_DOUBLE_EQ(ValoreNumerico(QString("12.5")), 12.5);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_DOUBLE_EQ(ValoreNumerico(QString("12.5")), 12.5);
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
    EXPECT_EQ(ImportoNoveCifre("1.234,50"), "000123450");
    EXPECT_EQ(ImportoNoveCifre("123456789012"), "456789012");
    EXPECT_EQ(ImportoNoveCifre("   "), "");
    EXPECT_EQ(CartellaPadre("C:\\A\\B.TXT"), "C:\\A");
    EXPECT_EQ(CartellaPadre("C:\\B.TXT"), "C:");
    EXPECT_EQ(CartellaPadre("/home/a/b.txt"), "/home/a");
    EXPECT_EQ(CartellaPadre("B.TXT"), "");
    EXPECT_EQ(TestoODefault(QVariant()), " ");
    EXPECT_EQ(TestoODefault(QString("  "), "x"), "x");
    EXPECT_EQ(TestoODefault(QString(QString(QChar(0)) + "abc"), "x"), "x");
    EXPECT_EQ(TestoODefault(QString("val"), "x"), "val");
    EXPECT_EQ(GiornoDueCifre(QDate(2026, 12, 7)), "07");
    EXPECT_EQ(MeseDueCifre(QDate(2026, 2, 17)), "02");
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
