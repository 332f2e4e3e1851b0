#include "shell/ui/PannelloAiuto.h"

#include "shell/ui/Finestre.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>

PannelloAiuto::PannelloAiuto(QWidget* padre) : QFrame(padre)
{
    setObjectName(QStringLiteral("pctHelp"));
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::ToolTipBase));
    p.setColor(QPalette::WindowText, p.color(QPalette::ToolTipText));
    setPalette(p);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(1, 1, 1, 6);
    l->setSpacing(4);
    lbHelpTit_ = new QLabel(this);
    lbHelpTit_->setObjectName(QStringLiteral("lbHelpTit"));
    lbHelpTit_->setAlignment(Qt::AlignCenter);
    lbHelpTit_->setAutoFillBackground(true);
    lbHelpTit_->setContentsMargins(6, 2, 6, 2);
    lbHelpTit_->setCursor(Qt::SizeAllCursor);
    QPalette t = lbHelpTit_->palette();
    t.setColor(QPalette::Window, t.color(QPalette::Highlight));
    t.setColor(QPalette::WindowText, t.color(QPalette::HighlightedText));
    lbHelpTit_->setPalette(t);
    QFont grassetto = lbHelpTit_->font();
    grassetto.setBold(true);
    lbHelpTit_->setFont(grassetto);
    lbHelpMess_ = new QLabel(this);
    lbHelpMess_->setObjectName(QStringLiteral("lbHelpMess"));
    lbHelpMess_->setContentsMargins(8, 2, 8, 2);
    l->addWidget(lbHelpTit_);
    l->addWidget(lbHelpMess_, 1);
    TrascinaForm(this, lbHelpTit_);
    hide();
}

void PannelloAiuto::Mostra(const QString& titolo, const QString& testo, int punti)
{
    lbHelpTit_->setText(titolo);
    if (punti > 0) {
        QFont f = lbHelpMess_->font();
        f.setPointSize(punti);
        lbHelpMess_->setFont(f);
    }
    lbHelpMess_->setText(testo);
    lbHelpMess_->setAlignment(allineamento_);
    fisso_ = false;
    // A screen reader reads what the panel shows.
    setAccessibleName(titolo);
    lbHelpMess_->setAccessibleName(testo);
    adjustSize();
    show();
    raise();
    // Painted at once: a run that follows keeps the window busy.
    repaint();
}

void PannelloAiuto::MostraAttesa(const QString& testo, int punti)
{
    Mostra(QStringLiteral("ELABORAZIONE IN CORSO ..."), testo, punti);
    lbHelpMess_->setAlignment(Qt::AlignCenter);
    fisso_ = true;
}

void PannelloAiuto::Centra(int alto)
{
    if (QWidget* p = parentWidget())
        move(std::max(0, (p->width() - width()) / 2), std::max(0, alto));
}

void PannelloAiuto::Aggiungi(QWidget* riga)
{
    riga->setParent(this);
    static_cast<QVBoxLayout*>(layout())->addWidget(riga);
}

QString PannelloAiuto::Titolo() const
{
    return lbHelpTit_->text();
}

QString PannelloAiuto::Testo() const
{
    return lbHelpMess_->text();
}

void PannelloAiuto::mousePressEvent(QMouseEvent* evento)
{
    // The message passes its clicks on to the panel; the title keeps its own
    // to drag.
    if (!fisso_)
        hide();
    evento->accept();
}
