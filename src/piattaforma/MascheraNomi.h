#pragma once

#include <QRegularExpression>
#include <QString>

// A file-name mask as a directory search takes it: "*" any run of characters,
// "?" any one, letters without regard to case; Qt's wildcard rules throughout.
// The usual case, an ASCII mask of letters, digits, "*" and "?" against an
// ASCII name, is matched directly: a regular expression per name is the
// larger part of a listing's own cost.
class MascheraNomi
{
public:
    explicit MascheraNomi(const QString& maschera);

    bool Corrisponde(const QString& nome) const;

private:
    QString maschera_;
    bool diretta_ = false;
    QRegularExpression regola_;
};
