// Closes every modal window as soon as it shows, recording its class name:
// for tests that trigger a modal pop-up, dialog or message box and only
// care that it opened (and that the code after it copes with it closing).
// Header-only: it needs QtWidgets, which the test support library does not.
#pragma once

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace zol::testing {

class ModalCloser {
  public:
    ModalCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened.push_back(QString::fromLatin1(modal->metaObject()->className()));
                modal->close();
            }
        });
        timer_.start(20);
    }
    bool Opened(const char* className) const {
        for (const QString& name : opened) {
            if (name == QLatin1String(className))
                return true;
        }
        return false;
    }
    std::vector<QString> opened;

  private:
    QTimer timer_;
};

}  // namespace zol::testing
