#pragma once

#include <QStringList>

#include <memory>

class QAbstractItemModel;
class QAbstractItemModelTester;

// Qt's model tester on a model for as long as this object lives; every breach
// of the model contract it reports is kept, so that a test can fail on it
// (the tester itself only warns).
class ControlloModello
{
public:
    explicit ControlloModello(QAbstractItemModel* modello);
    ~ControlloModello();

    QStringList Violazioni() const;

private:
    std::unique_ptr<QAbstractItemModelTester> tester_;
};
