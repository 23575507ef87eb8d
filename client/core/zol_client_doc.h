// CZOLClientDoc: the client's one document. It owns the server's design
// (objects, displays and their tiles) for the life of the process, and the
// title the frame shows.
#pragma once

#include <QObject>
#include <QString>

#include "client/model/design.h"

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

    // Emptied (Design::Clear) before every reload; windows keep ids, not
    // pointers, into it.
    Design& GetDesign() { return design_; }
    const Design& GetDesign() const { return design_; }

  signals:
    void TitleChanged(const QString& title);

  private:
    CZOLClientApp& app_;
    QString title_;
    Design design_;
};

}  // namespace zol
