#pragma once

#include <QDialog>

// The maker of the program: name and contacts, a link to the site, one to
// write an e-mail, and the system information tool.
class InfZerpa : public QDialog
{
    Q_OBJECT

public:
    explicit InfZerpa(QWidget* padre = nullptr);

    static QString IndirizzoSito();
    static QString IndirizzoPosta();
};
