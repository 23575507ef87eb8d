#include "client/toolwindows/client_options_sheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "client/core/client_settings.h"
#include "client/core/zol_client_app.h"
#include "client/toolwindows/settings_connection_page.h"
#include "client/toolwindows/settings_status_bar_page.h"
#include "client/toolwindows/settings_user_interface_page.h"
#include "client/toolwindows/tool_window_look.h"
#include "guibase/dpi_scale.h"

namespace zol {

CClientOptionsSheet::CClientOptionsSheet(ClientSettings& settings, int dpi, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(QStringLiteral("ZOL Client Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ApplyToolWindowLook(this, dpi);

    tabs_ = new QTabWidget(this);
    connection_ = new CSettingsConnection(dpi, tabs_);
    userInterface_ = new CSettingsUserInterface(dpi, tabs_);
    statusBar_ = new CSettingsStatusBar(dpi, tabs_);
    pages_ = {connection_, userInterface_, statusBar_};
    tabs_->addTab(connection_, QStringLiteral("Connection"));
    tabs_->addTab(userInterface_, QStringLiteral("User Interface"));
    tabs_->addTab(statusBar_, QStringLiteral("Status Bar"));
    for (COptionsPage* page : pages_) {
        page->Load(settings_);
        connect(page, &COptionsPage::ProblemChanged, this,
                [this] { problem_->setText(ProblemText()); });
    }

    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("problem"));
    problem_->setWordWrap(true);
    ok_ = MakeTouchButton(QStringLiteral("OK"), this, dpi, true);
    cancel_ = MakeTouchButton(QStringLiteral("Cancel"), this, dpi);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(problem_, 1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    const int margin = ScalePixels(12, dpi);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);
    resize(ScalePixels(1120, dpi), ScalePixels(690, dpi));
    problem_->setText(ProblemText());
}

QString CClientOptionsSheet::ProblemText() const {
    for (COptionsPage* page : pages_) {
        if (QString problem = page->Problem(); !problem.isEmpty())
            return problem;
    }
    return QString();
}

void CClientOptionsSheet::ShowProblem() {
    for (COptionsPage* page : pages_) {
        if (QString problem = page->Problem(); !problem.isEmpty()) {
            problem_->setText(problem);
            tabs_->setCurrentWidget(page);
            if (QWidget* field = page->ProblemField())
                field->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void CClientOptionsSheet::accept() {
    if (!ProblemText().isEmpty()) {
        ShowProblem();
        return;
    }
    // The pages write into a copy taken now, so a setting changed elsewhere
    // while the sheet was open (a nested loop may run) is kept unless a page
    // covers it.
    ClientSettings updated = settings_;
    for (COptionsPage* page : pages_)
        page->Save(updated);
    settings_ = updated;
    QDialog::accept();
}

int ShowClientOptions(CZOLClientApp& app, QWidget* parent) {
    CClientOptionsSheet sheet(app.Settings(), ToolWindowDpi(), parent);
    const int result = sheet.exec();
    if (result == QDialog::Accepted) {
        app.SettingsChanged();
        app.SaveSettings();
    }
    return result;
}

}  // namespace zol
