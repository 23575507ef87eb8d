// A house for pop-up tests: a design built in the test, a scripted server
// that answers every command with success (thermostat reads from `reading`),
// a recording reporter and a clock the test advances by hand.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/model/design.h"
#include "client/model/tests/model_fakes.h"
#include "client/model/tests/scripted_channel.h"
#include "client/popups/popup_context.h"

namespace zol::testing {

// The popup owns its clock; this one forwards to the fixture's.
class ClockRef : public Clock {
  public:
    explicit ClockRef(FakeClock& clock) : clock_(clock) {}
    TimePoint Now() const override { return clock_.Now(); }
    void StartOneShot(int id, std::chrono::milliseconds d, Callback cb) override {
        clock_.StartOneShot(id, d, std::move(cb));
    }
    void StartPeriodic(int id, std::chrono::milliseconds p, Callback cb) override {
        clock_.StartPeriodic(id, p, std::move(cb));
    }
    void Stop(int id) override { clock_.Stop(id); }

  private:
    FakeClock& clock_;
};

// Counts the application messages it receives, by kind.
class MessageSink : public QObject {
  public:
    bool event(QEvent* event) override {
        if (const AppMessageEvent* m = AppMessageEvent::From(event)) {
            received.push_back(m->Message());
            return true;
        }
        return QObject::event(event);
    }
    int Count(AppMessage kind) const {
        return static_cast<int>(std::count(received.begin(), received.end(), kind));
    }
    std::vector<AppMessage> received;
};

class PopupTest : public ::testing::Test {
  protected:
    PopupTest() : channel([this](const ReplyFields& request) { return Answer(request); }) {
        settings.tuiPopupCloseTime = 60;
    }

    DesignObject& AddObject(std::int32_t id, std::string location, std::string name) {
        auto object = std::make_unique<DesignObject>();
        object->objectId = id;
        object->location = std::move(location);
        object->name = std::move(name);
        design.objects.push_back(std::move(object));
        return *design.objects.back();
    }

    PopupContext Context(int dpi = 96) {
        PopupContext context;
        context.services.design = [this] { return &design; };
        context.services.settings = &settings;
        context.services.channel = &channel;
        context.services.reporter = &reporter;
        context.services.mainFrame = [this] { return &frame; };
        context.services.makeClock = [this] { return std::make_unique<ClockRef>(clock); };
        context.services.screenDpi = dpi;
        context.view = &view;
        return context;
    }

    // "Method extra..." of each request sent, e.g. "Device.DimUpPercent 30".
    std::vector<std::string> Sent() const {
        std::vector<std::string> sent;
        for (const ReplyFields& r : channel.requests) {
            std::string line(r.Text(2));
            for (std::int64_t i = 4; i <= r.Count(); ++i)
                line.append(" ").append(r.Text(i));
            sent.push_back(line);
        }
        return sent;
    }

    void DeliverPosted() { QCoreApplication::sendPostedEvents(); }

    virtual ScriptedReply Answer(const ReplyFields& request) {
        const std::string method(request.Text(2));
        const std::string code = method == failMethod ? "5" : "0";
        if (method == "ThermostatState") {
            std::vector<std::string> fields{code, "ZOLApp", "ThermostatState", "name"};
            fields.insert(fields.end(), reading.begin(), reading.end());
            return {0, Frame(fields)};
        }
        return {0, Frame({code, std::string(request.Text(1)), method})};
    }

    Design design;
    ClientSettings settings;
    FakeReporter reporter;
    FakeClock clock;
    ScriptedChannel channel;
    MessageSink frame;
    MessageSink view;
    std::string failMethod;  // answered with server code 5
    // ThermostatState fields 5 to 16: heat, heat max, heat min, cool, cool
    // max, cool min, temperature, mode, fan, unit, number, report.
    std::vector<std::string> reading{"68", "90", "50", "76", "90", "60",
                                     "72", "1",  "0",  "F",  "0",  ""};
};

}  // namespace zol::testing
