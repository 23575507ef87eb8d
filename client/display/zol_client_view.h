// CZOLClientView: the main view under the status-bar row. It will lay out
// the current display's tiles in quarter cells; until the display model
// exists it fills itself with the background colour and shows the state of
// the client in the middle.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace zol {

class CZOLClientView : public QWidget {
    Q_OBJECT
  public:
    CZOLClientView(QColor background, QColor text, int dpi, QWidget* parent = nullptr);

    // Forgets the current display (closing, connection lost). Tile windows
    // exist only for the current display, so they go with it.
    void ClearCurrentDisplay();
    bool HasCurrentDisplay() const { return hasCurrentDisplay_; }

    // The text shown while no display is shown.
    void SetNotice(const QString& notice);
    const QString& Notice() const { return notice_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    QColor background_;
    QColor text_;
    int dpi_;
    bool hasCurrentDisplay_ = false;
    QString notice_;
};

}  // namespace zol
