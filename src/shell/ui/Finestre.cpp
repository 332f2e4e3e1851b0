#include "shell/ui/Finestre.h"

#include "piattaforma/ui/Schermo.h"
#include "piattaforma/ui/Shell.h"
#include "shell/ChiaviIni.h"
#include "shell/Global.h"
#include "shell/Impostazioni.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace {

QPointer<QWidget>& Principale()
{
    static QPointer<QWidget> p;
    return p;
}

QMargins& CorniceNota()
{
    static QMargins m;
    return m;
}

QMargins CorniceVera(const QWidget* w)
{
    const QRect f = w->frameGeometry();
    const QRect g = w->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
                    f.bottom() - g.bottom());
}

// Outer size and position in twips, as the settings and the rules count them.
QRect CorniceTwip(const QWidget* w)
{
    const QRect f = w->geometry().marginsAdded(CorniceFinestra(w));
    return QRect(Twip(f.x()), Twip(f.y()), Twip(f.width()), Twip(f.height()));
}

// Waits, from each show of the window, for the window manager's frame, and
// looks again at each move or resize while the window settles; a frame other
// than the one the window was sized with runs the callbacks again.
class AttesaCornice : public QObject
{
    // A loaded machine can keep the manager busy for seconds; it is looked
    // for quickly at first, then only now and then.
    static constexpr int AttesaMs = 30000;
    static constexpr int RapidaMs = 3000;

public:
    // Made right after the window was sized with the frame known then.
    explicit AttesaCornice(QWidget* finestra)
        : QObject(finestra), finestra_(finestra), usata_(CorniceFinestra(finestra))
    {
        finestra->installEventFilter(this);
        connect(&timer_, &QTimer::timeout, this, &AttesaCornice::Controlla);
    }

    void Aggiungi(std::function<void()> applica) { applica_.push_back(std::move(applica)); }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (oggetto != finestra_)
            return QObject::eventFilter(oggetto, evento);
        switch (evento->type()) {
        case QEvent::Show:
            scadenza_ = QDeadlineTimer(AttesaMs);
            timer_.start(30);
            Controlla();
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            // The manager frames a window in steps, each a move or a resize:
            // the first frame seen need not be the last.
            if (!scadenza_.hasExpired())
                Controlla();
            break;
        default:
            break;
        }
        return QObject::eventFilter(oggetto, evento);
    }

private:
    void Controlla()
    {
        if (scadenza_.hasExpired()) {
            timer_.stop();
            return;
        }
        // A maximized window has the frame the manager gives it, not its size.
        if (finestra_->windowState() &
            (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) {
            timer_.stop();
            return;
        }
        const QMargins vera = CorniceVera(finestra_);
        if (vera.isNull()) {
            if (scadenza_.remainingTime() < AttesaMs - RapidaMs && timer_.interval() < 500)
                timer_.start(500);
            return;
        }
        timer_.stop();
        CorniceNota() = vera;
        if (vera != usata_) {
            usata_ = vera;
            for (const auto& a : applica_)
                a();
        }
    }

    QWidget* finestra_;
    std::vector<std::function<void()>> applica_;
    QMargins usata_;
    QDeadlineTimer scadenza_; // expired until the first show
    QTimer timer_;
};

void SpostaTwip(QWidget* w, int sinistra, int alto)
{
    w->move(Pixel(sinistra), Pixel(alto));
}

class Trascinamento : public QObject
{
public:
    Trascinamento(QWidget* pannello, QObject* padre) : QObject(padre), pannello_(pannello) {}

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (pannello_) {
            switch (evento->type()) {
            case QEvent::MouseButtonPress: {
                auto* m = static_cast<QMouseEvent*>(evento);
                if (m->button() == Qt::LeftButton) {
                    scarto_ = m->globalPosition().toPoint() - pannello_->pos();
                    attivo_ = true;
                    return true;
                }
                break;
            }
            case QEvent::MouseMove:
                if (attivo_) {
                    auto* m = static_cast<QMouseEvent*>(evento);
                    pannello_->move(m->globalPosition().toPoint() - scarto_);
                    return true;
                }
                break;
            case QEvent::MouseButtonRelease:
                if (attivo_) {
                    attivo_ = false;
                    return true;
                }
                break;
            default:
                break;
            }
        }
        return QObject::eventFilter(oggetto, evento);
    }

private:
    QPointer<QWidget> pannello_;
    QPoint scarto_;
    bool attivo_ = false;
};

} // namespace

QMargins CorniceFinestra(const QWidget* finestra)
{
    const QMargins vera = CorniceVera(finestra);
    if (!vera.isNull()) {
        CorniceNota() = vera;
        return vera;
    }
    if (finestra->windowFlags().testFlag(Qt::FramelessWindowHint))
        return {};
    return CorniceNota();
}

void AllaCornice(QWidget* finestra, std::function<void()> applica)
{
    AttesaCornice* attesa = nullptr;
    for (QObject* figlio : finestra->children())
        if (auto* a = dynamic_cast<AttesaCornice*>(figlio))
            attesa = a;
    if (!attesa)
        attesa = new AttesaCornice(finestra);
    attesa->Aggiungi(std::move(applica));
}

void ImpostaFinestraPrincipale(QWidget* principale)
{
    Principale() = principale;
}

QWidget* FinestraPrincipale()
{
    return Principale();
}

void CentraForm(QWidget* finestra)
{
    const QRect schermo = GeometriaSchermo();
    const QRect f = CorniceTwip(finestra);
    SpostaTwip(finestra, Twip(schermo.x()) + (Twip(schermo.width()) - f.width()) / 2,
               Twip(schermo.y()) + (Twip(schermo.height()) - f.height()) / 2);
}

void PosizioneTaskbar()
{
    const QRect schermo = GeometriaSchermo();
    const QRect libero = AreaDisponibile();
    // The taskbar is what the free area leaves of the screen, as a rectangle
    // relative to the screen's corner.
    QRect barra;
    const int w = schermo.width();
    const int h = schermo.height();
    if (libero.bottom() < schermo.bottom())
        barra = QRect(0, libero.bottom() + 1 - schermo.y(), w, schermo.bottom() - libero.bottom());
    else if (libero.right() < schermo.right())
        barra = QRect(libero.right() + 1 - schermo.x(), 0, schermo.right() - libero.right(), h);
    else if (libero.top() > schermo.top())
        barra = QRect(0, 0, w, libero.top() - schermo.top());
    else if (libero.left() > schermo.left())
        barra = QRect(0, 0, libero.left() - schermo.left(), h);

    AltezzaTaskbar = Twip(barra.height());
    LarghezzaTaskbar = Twip(barra.width());
    if (barra.top() >= 2)
        LatoTaskbar = 0;
    else if (barra.left() >= 2)
        LatoTaskbar = 1;
    else if (Twip(h) / 2 > AltezzaTaskbar)
        LatoTaskbar = 2;
    else
        LatoTaskbar = 3;
}

void PosizionaForm(QWidget* finestra)
{
    int alto0 = 0;
    int sinistra0 = 0;
    if (QWidget* p = FinestraPrincipale()) {
        // Just below the main window's caption and menu bar, at its inner left edge.
        const QRect f = CorniceTwip(p);
        int internoAltezza = p->geometry().height();
        if (auto* mw = qobject_cast<QMainWindow*>(p); mw && mw->menuWidget())
            internoAltezza -= mw->menuWidget()->height();
        alto0 = f.height() - Twip(internoAltezza) + f.y() - 90;
        sinistra0 = (f.width() - Twip(p->geometry().width())) / 2 + f.x();
    }
    PosizioneTaskbar();

    const QRect schermo = GeometriaSchermo();
    const int altezzaSchermo = Twip(schermo.height());
    const int larghezzaSchermo = Twip(schermo.width());
    const QRect w = CorniceTwip(finestra);

    int riserva = LatoTaskbar == 0 ? AltezzaTaskbar : 0;
    const int alto = altezzaSchermo - riserva >= alto0 + w.height()
                         ? alto0
                         : altezzaSchermo - w.height() - riserva;
    riserva = LatoTaskbar == 1 ? LarghezzaTaskbar : 0;
    int sinistra = larghezzaSchermo - riserva >= sinistra0 + w.width()
                       ? sinistra0
                       : larghezzaSchermo - w.width() - riserva;
    if (LatoTaskbar == 3 && sinistra < LarghezzaTaskbar)
        sinistra = LarghezzaTaskbar;
    SpostaTwip(finestra, sinistra, alto);
}

void SalvaPosizione(QWidget* finestra)
{
    if (finestra->isMinimized())
        return;
    const QRect f = CorniceTwip(finestra);
    ScriviIni(FileIni, finestra->objectName(),
              {{Ini::DimX, QString::number(f.width())},
               {Ini::DimY, QString::number(f.height())},
               {Ini::PosX, QString::number(f.x())},
               {Ini::PosY, QString::number(f.y())}});
}

namespace {

void Ripristina(QWidget* finestra, int larghezza, int altezza)
{
    const QMargins bordo = CorniceFinestra(finestra);
    QSize dimensione = finestra->size();
    if (larghezza > 0)
        dimensione.setWidth(Pixel(larghezza) - bordo.left() - bordo.right());
    if (altezza > 0)
        dimensione.setHeight(Pixel(altezza) - bordo.top() - bordo.bottom());
    finestra->resize(dimensione);
    PosizionaForm(finestra);
}

} // namespace

void RipristinaPosizione(QWidget* finestra)
{
    const QString sezione = finestra->objectName();
    const int larghezza = LeggiIniNumero(sezione, Ini::DimX);
    const int altezza = LeggiIniNumero(sezione, Ini::DimY);
    Ripristina(finestra, larghezza, altezza);
    // Before it is shown a window has no frame of its own: sized from the last
    // frame seen, and again once it has one if that was not it.
    QPointer<QWidget> w(finestra);
    AllaCornice(finestra, [w, larghezza, altezza]() {
        if (w)
            Ripristina(w, larghezza, altezza);
    });
}

void TrascinaForm(QWidget* pannello, QWidget* maniglia)
{
    maniglia->installEventFilter(new Trascinamento(pannello, maniglia));
}

void SelezionaTesto(QLineEdit* casella)
{
    TestoIniziale = casella->text().trimmed();
    // A mouse click that gave the focus would undo a selection made now.
    QPointer<QLineEdit> c(casella);
    QTimer::singleShot(0, casella, [c]() {
        if (c)
            c->setSelection(0, 110);
    });
}

void ApriCerca(const QString& cartella)
{
    ApriConShell(cartella);
}
