#include "support/ControlloModello.h"

#include <QAbstractTableModel>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A table that breaks the model contract on purpose when asked to: a check
// state that is no Qt::CheckState.
class TabellaDiProva : public QAbstractTableModel
{
public:
    bool rotta = false;

    int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : 3; }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex& i, int ruolo) const override
    {
        if (!i.isValid())
            return {};
        if (ruolo == Qt::DisplayRole)
            return i.row() * 10 + i.column();
        if (ruolo == Qt::CheckStateRole && rotta)
            return 7;
        return {};
    }
};

TEST(ControlloModello, ModelloSanoNessunaViolazione)
{
    TabellaDiProva t;
    ControlloModello c(&t);
    EXPECT_TRUE(c.Violazioni().isEmpty()) << c.Violazioni().join(u'\n').toStdString();
}

TEST(ControlloModello, ContrattoRottoSiVede)
{
    TabellaDiProva t;
    t.rotta = true;
    ControlloModello c(&t);
    EXPECT_FALSE(c.Violazioni().isEmpty());
}

} // namespace
