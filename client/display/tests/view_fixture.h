// A view on fakes: a design built by hand, scripted server replies, a
// reporter that records, a main frame and trace window that record what is
// posted to them, and fake clocks (one per window, in creation order).
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <functional>
#include <memory>
#include <vector>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/display/tile_window.h"
#include "client/display/zol_client_view.h"
#include "client/model/design.h"
#include "client/model/tests/model_fakes.h"
#include "client/model/tests/scripted_channel.h"

namespace zol::testing {

// Keeps the application messages posted to it.
class MessageRecorder : public QObject {
  public:
    struct Posted {
        AppMessage message;
        std::intptr_t wParam;
        std::intptr_t lParam;
        std::string text;
    };
    bool event(QEvent* event) override {
        if (AppMessageEvent* m = AppMessageEvent::From(event)) {
            const TextPayload* text = m->PayloadAs<TextPayload>();
            posted.push_back({m->Message(), m->WParam(), m->LParam(), text ? text->text : ""});
            return true;
        }
        return QObject::event(event);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Posted& p : posted)
            texts.push_back(p.text);
        return texts;
    }
    std::vector<Posted> posted;
};

// A clock that a test reaches through the view or tile it belongs to.
class OwnedClock : public Clock {
  public:
    explicit OwnedClock(std::vector<FakeClock*>& all) : all_(all) { all_.push_back(&clock_); }
    ~OwnedClock() override { std::erase(all_, &clock_); }
    TimePoint Now() const override { return clock_.Now(); }
    void StartOneShot(int id, std::chrono::milliseconds d, Callback cb) override {
        clock_.StartOneShot(id, d, std::move(cb));
    }
    void StartPeriodic(int id, std::chrono::milliseconds p, Callback cb) override {
        clock_.StartPeriodic(id, p, std::move(cb));
    }
    void Stop(int id) override { clock_.Stop(id); }

  private:
    FakeClock clock_;
    std::vector<FakeClock*>& all_;
};

class ViewFixture : public ::testing::Test {
  protected:
    ViewFixture() {
        theme_.name = "Theme_110_110";
        theme_.cxCell = theme_.cyCell = 110;
        theme_.cxStandard = theme_.cyStandard = 110;
        theme_.featureType = 2;
        ThemeIcon lamp;
        lamp.name = "Lamp";
        lamp.off.picture =
            std::make_shared<const QImage>(110, 110, QImage::Format_ARGB32_Premultiplied);
        lamp.on.picture = lamp.off.picture;
        theme_.icons.push_back(lamp);
        settings_.tuiShortTapTime = 500;
    }

    void Reply(std::function<ScriptedReply(const ReplyFields&)> handler) {
        handler_ = std::move(handler);
    }

    // The view, 1000 x 600, made at first use.
    CZOLClientView& View(int dpi = 96) {
        if (!view_) {
            DisplayServices s;
            s.design = [this] { return &design_; };
            s.settings = &settings_;
            s.channel = &channel_;
            s.reporter = &reporter_;
            s.mainFrame = [this]() -> QObject* { return &frame_; };
            s.historyCount = [this] { return history_; };
            s.refreshAllowed = [this] { return connected_; };
            s.iconSets = [this](std::string_view) { return &theme_; };
            s.makeClock = [this] { return std::make_unique<OwnedClock>(clocks_); };
            s.screenDpi = dpi;
            view_ = std::make_unique<CZOLClientView>(std::move(s));
            view_->resize(1000, 600);
            view_->show();
            view_->SetTraceWindow(&trace_);
        }
        return *view_;
    }

    DisplayRecord& AddDisplay(std::int32_t id, const char* name = "Display") {
        auto display = std::make_unique<DisplayRecord>();
        display->displayId = id;
        display->name = name;
        display->layoutTheme = &theme_;
        design_.displays.push_back(std::move(display));
        return *design_.displays.back();
    }
    TileRecord& AddTile(DisplayRecord& display, std::int32_t type, int x, int y, int w, int h) {
        TileRecord tile;
        tile.tileType = type;
        tile.typeData = DefaultTileData(type);
        tile.gridX = x;
        tile.gridY = y;
        tile.gridWidth = w;
        tile.gridHeight = h;
        display.tiles.push_back(tile);
        return display.tiles.back();
    }
    DesignObject& AddObject(std::int32_t id, const char* name,
                            std::int32_t kind = ObjectKindDevice) {
        auto object = std::make_unique<DesignObject>();
        object->objectId = id;
        object->name = name;
        object->location = "Den";
        object->objectKind = kind;
        object->iconName = "Lamp";
        design_.objects.push_back(std::move(object));
        return *design_.objects.back();
    }

    // Delivers what was posted (to the recorders and the view) and runs
    // deferred deletions.
    static void Deliver() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::vector<std::string> Methods() const { return channel_.Methods(); }

    Design design_;
    IconSet theme_;
    ClientSettings settings_;
    FakeReporter reporter_;
    std::function<ScriptedReply(const ReplyFields&)> handler_ = [](const ReplyFields& r) {
        return ScriptedReply{0, Frame({"0", std::string(r.Text(1)), std::string(r.Text(2))})};
    };
    ScriptedChannel channel_{[this](const ReplyFields& r) { return handler_(r); }};
    MessageRecorder frame_;
    MessageRecorder trace_;
    int history_ = 0;
    bool connected_ = true;
    std::vector<FakeClock*> clocks_;
    std::unique_ptr<CZOLClientView> view_;
};

}  // namespace zol::testing
