#include "SondeDemarrage.h"

#include "core/Formulaires.h"
#include "exercise/Unit1.h"
#include "setup/Unit2.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace {

class SondeDemarrage : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* e) override {
        if (e->type() == QEvent::Paint && !m_fini && objet->isWidgetType()) {
            // The window itself, or the first of its widgets when they cover it all.
            const QWidget* fenetre = static_cast<QWidget*>(objet)->window();
            m_principale |= fenetre == Form1;
            m_depart |= fenetre == Form2;
            if (m_principale && m_depart) {
                m_fini = true;
                // Once this round of painting is over and on screen.
                QTimer::singleShot(0, this, [] {
                    std::printf("peint\n");
                    std::fflush(stdout);
                    Form1->close();
                    Form2->reject();
                });
            }
        }
        return false;
    }

private:
    bool m_principale = false;
    bool m_depart = false;
    bool m_fini = false;
};

} // namespace

void InstallerSondeDemarrage() {
    qApp->installEventFilter(new SondeDemarrage(qApp));
}
