#include "client/core/zol_client_doc.h"

#include "client/core/zol_client_app.h"

namespace zol {

CZOLClientDoc::CZOLClientDoc(CZOLClientApp& app) : app_(app) {
    app_.RegisterDocument(this);
}

CZOLClientDoc::~CZOLClientDoc() {
    app_.RegisterDocument(nullptr);
}

void CZOLClientDoc::OnNewDocument() {
    SetTitle(QStringLiteral("Not Connected"));
}

void CZOLClientDoc::SetTitle(const QString& title) {
    if (title == title_)
        return;
    title_ = title;
    emit TitleChanged(title_);
}

}  // namespace zol
