// CZOLClientDoc: the client's one document. It will own the server's design
// (objects, displays and their tiles) for the life of the process; for now
// it carries the title the frame shows.
#pragma once

#include <QObject>
#include <QString>

namespace zol {

class CZOLClientApp;

class CZOLClientDoc : public QObject {
    Q_OBJECT
  public:
    // Registers itself with `app`, so every part of the client reaches the
    // one document through the application.
    explicit CZOLClientDoc(CZOLClientApp& app);
    ~CZOLClientDoc() override;

    // A new document is "Not Connected" until a connect names the server.
    void OnNewDocument();

    const QString& Title() const { return title_; }
    void SetTitle(const QString& title);

    // Design, DisplayRecord and TileRecord lists arrive with the display
    // model; the document empties them before every reload.

  signals:
    void TitleChanged(const QString& title);

  private:
    CZOLClientApp& app_;
    QString title_;
};

}  // namespace zol
