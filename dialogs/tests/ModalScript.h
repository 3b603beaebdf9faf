#pragma once
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace ravelt::testing {

// Plays actions on the modal windows that open while a test runs, one action per new
// modal window, in order, from inside the window's own event loop (where a modal call
// waits). Destroyed, it stops watching; 'opened' tells how many windows it acted on.
// A window that its action should have closed but is still open two seconds later
// fails the test and is closed, so a broken window makes a test fail, not hang.
class ModalScript {
public:
    using Action = std::function<void(QWidget&)>;

    explicit ModalScript(std::deque<Action> actions) : actions_(std::move(actions))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(5);
    }

    int opened() const { return opened_; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last_.data() || actions_.empty())
            return;
        // A window lays itself out and takes its focus when it becomes active; acting
        // before that would race with it. Give it that moment (a few polls at most,
        // since a platform may never report the activation).
        if (!modal->isActiveWindow() && ++waited_ < 20)
            return;
        waited_ = 0;
        last_ = modal;
        ++opened_;
        Action act = std::move(actions_.front());
        actions_.pop_front();
        act(*modal);
        QPointer<QWidget> acted = modal;
        QTimer::singleShot(2000, [acted] {
            if (acted && acted->isVisible()) {
                ADD_FAILURE() << "modal window " << acted->objectName().toStdString() << " still open";
                if (auto* dialog = qobject_cast<QDialog*>(acted.data()))
                    dialog->reject();
                else
                    acted->close();
            }
        });
    }

    std::deque<Action> actions_;
    QTimer timer_;
    QPointer<QWidget> last_;
    int opened_ = 0;
    int waited_ = 0;
};

}
