#include "ricezione/ui/PannelloOccupato.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

PannelloOccupato::PannelloOccupato(QWidget* padre) : QFrame(padre)
{
    setObjectName(QStringLiteral("pctHelp"));
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    setAutoFillBackground(true);
    auto* l = new QVBoxLayout(this);
    lbHelpTit_ = new QLabel(QStringLiteral("ELABORAZIONE IN CORSO ..."), this);
    lbHelpTit_->setObjectName(QStringLiteral("lbHelpTit"));
    lbHelpTit_->setAlignment(Qt::AlignCenter);
    lbHelpTit_->setAutoFillBackground(true);
    QPalette p = lbHelpTit_->palette();
    p.setColor(QPalette::Window, p.color(QPalette::Highlight));
    p.setColor(QPalette::WindowText, p.color(QPalette::HighlightedText));
    lbHelpTit_->setPalette(p);
    QFont grassetto = lbHelpTit_->font();
    grassetto.setBold(true);
    lbHelpTit_->setFont(grassetto);
    lbHelpMess_ = new QLabel(this);
    lbHelpMess_->setObjectName(QStringLiteral("lbHelpMess"));
    lbHelpMess_->setAlignment(Qt::AlignCenter);
    l->addWidget(lbHelpTit_);
    l->addWidget(lbHelpMess_, 1);
    hide();
}

void PannelloOccupato::Mostra(const QString& messaggio)
{
    lbHelpMess_->setText(messaggio);
    adjustSize();
    if (QWidget* p = parentWidget())
        move(std::max(0, (p->width() - width()) / 2), std::max(0, (p->height() - height()) / 3));
    show();
    raise();
    // Repainted at once: the run that follows keeps the window busy.
    lbHelpMess_->repaint();
}

QString PannelloOccupato::Messaggio() const
{
    return lbHelpMess_->text();
}
