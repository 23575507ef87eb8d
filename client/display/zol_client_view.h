// CZOLClientView: the main view under the status-bar row. It will lay out
// the current display's tiles in quarter cells; until the display model
// exists it fills itself with the background colour and shows the state of
// the client in the middle.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <string_view>

namespace zol {

class CZOLClientView : public QWidget {
    Q_OBJECT
  public:
    CZOLClientView(QColor background, QColor text, int dpi, QWidget* parent = nullptr);

    // Forgets the current display (closing, connection lost). Tile windows
    // exist only for the current display, so they go with it.
    void ClearCurrentDisplay();
    bool HasCurrentDisplay() const { return hasCurrentDisplay_; }

    // What the main frame and the push dispatch ask of the view. Displays and
    // objects are named by id; an id the design lacks is ignored.
    void ShowDisplay(std::int32_t displayId);
    void LeaveDisplay();
    void RefreshDisplayTiles();
    void UpdateTilesNamed(std::string_view tileName);
    void ObjectChanged(std::int32_t objectId);
    // The display shown, 0 for none.
    std::int32_t CurrentDisplayId() const { return currentDisplayId_; }
    // The server's reference DPI, learnt at connect; tiles scale from it.
    void SetReferenceDpi(int referenceDpi) { referenceDpi_ = referenceDpi; }

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
    std::int32_t currentDisplayId_ = 0;
    int referenceDpi_ = 96;
    QString notice_;
};

}  // namespace zol
