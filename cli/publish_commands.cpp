// The publish command: connects to the sensor as info does, then runs the
// live loop and publishes every frame to an MQTT broker, together with the
// sensor's status, identity and parameters on retained topics. SIGINT and
// SIGTERM end it cleanly: "offline", what is queued flushed, a goodbye to
// the broker.
#include "cli/publish_commands.h"

#include "app/connection.h"
#include "app/link_waiter.h"
#include "app/publishing.h"
#include "cli/stop_signals.h"
#include "publish/mosquitto_outlet.h"
#include "publish/topics.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace tavrino::cli {

namespace {

using namespace std::chrono_literals;

struct PublishOptions {
    std::string broker;
    std::optional<std::string> id;
    int qos = 0;
    std::optional<double> maxRate;
    std::optional<long long> count;
};

// How long the broker may take to answer the first connection.
constexpr auto kBrokerAnswerTimeout = 10s;
// At the end, what is left is waited for as long as the broker keeps
// confirming something at least this often.
constexpr auto kFlushPatience = 5s;
// Beyond this a "rate limit" limits nothing a sensor can deliver.
constexpr double kMaxRateLimit = 100000.0;

void say(const std::string& line) {
    const std::string text = "tavrino-cli: " + line + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

// The first connection check after a loss is reported as the connection
// page would show it; the ones after it, until the sensor answers, say
// nothing new and stay quiet.
class ConsoleReport final : public app::PublishingReport {
public:
    explicit ConsoleReport(ConsoleOperator& op) : op_(op) {}
    ~ConsoleReport() override { op_.quiet = false; }
    ConsoleReport(const ConsoleReport&) = delete;
    ConsoleReport& operator=(const ConsoleReport&) = delete;

    void reconnecting(int attempt) override {
        if (attempt == 2)
            say("the sensor does not answer; checking again every 2 s");
        op_.quiet = attempt > 1;
    }
    void reconnected() override {
        op_.quiet = false;
        say("the sensor answers again");
    }

private:
    ConsoleOperator& op_;
};

struct CheckedOptions {
    link::ConnectionSettings endpoint;
    publish::BrokerAddress broker;
};

// The checks CLI11 cannot make; the usage error has been written when
// nothing comes back.
std::optional<CheckedOptions> check(CliContext& ctx, const PublishOptions& o) {
    const auto broker = publish::parseBrokerAddress(o.broker);
    if (!broker) {
        usageError("publish: --broker needs HOST[:PORT] with a port of 1..65535");
        return std::nullopt;
    }
    if (o.id && !publish::validId(*o.id)) {
        usageError("publish: --id must be 1..128 characters without /, +, # or control characters");
        return std::nullopt;
    }
    if (o.maxRate && !(std::isfinite(*o.maxRate) && *o.maxRate > 0 && *o.maxRate <= kMaxRateLimit)) {
        usageError("publish: --max-rate takes frames per second above 0 and up to 100000");
        return std::nullopt;
    }
    const auto endpoint = ctx.endpoint();
    if (!endpoint)
        return std::nullopt;
    return CheckedOptions{*endpoint, *broker};
}

// What the end of the run leaves to say; kExitFailure when the broker did
// not confirm everything, the final status included.
int summarise(const publish::FinishResult& end, const app::LivePublisher& publisher) {
    if (publisher.unpublishable() > 0)
        say(std::to_string(publisher.unpublishable()) +
            " frames with values JSON cannot carry were not published");
    if (end.counts.dropped > 0)
        say(std::to_string(end.counts.dropped) +
            " measurements were dropped while the broker could not take them");
    if (end.complete)
        return kExitOk;
    if (end.undelivered > 0)
        say(std::to_string(end.undelivered) + " measurements could not be delivered to the broker");
    else
        say("the broker did not confirm the final status");
    return kExitFailure;
}

int commandPublish(CliContext& ctx, const PublishOptions& o) {
    const auto checked = check(ctx, o);
    if (!checked)
        return kExitUsage;
    // The connection check of info; a sensor that does not answer ends the
    // command (a service manager starts it again).
    app::Session& s = ctx.session();
    ctx.op().closeOrOfflineAnswer = ConnectFailureChoice::Offline;
    ctx.useEndpoint(checked->endpoint);
    if (app::ConnectToSensor(s) != 1)
        return kExitFailure;

    const std::string id = o.id.value_or(std::to_string(s.connection.sensor.serialNumber));
    app::PublishingPlan plan{publish::topicsFor(id), std::nullopt, o.maxRate};
    if (o.count)
        plan.count = static_cast<std::uint64_t>(*o.count);
    publish::OutletSettings settings{checked->broker, o.qos, plan.topics.status};
    publish::MosquittoOutlet outlet(settings, say);
    if (const std::string refused = outlet.connect(kBrokerAnswerTimeout); !refused.empty()) {
        say(refused);
        return kExitFailure;
    }

    ConsoleReport report(ctx.op());
    app::LinkWaiter waiter(s.link);
    app::LivePublisher publisher(s, outlet, plan, waiter, report);
    // Kept through the flush, so that a signal then does not cut it short.
    const StopOnSignals interrupts([&publisher] { publisher.stop(); });
    publisher.run();
    return summarise(outlet.finish(kFlushPatience), publisher);
}

} // namespace

void addPublishCommand(CLI::App& app, std::function<int(CliContext&)>& run) {
    auto options = std::make_shared<PublishOptions>();
    CLI::App* p = app.add_subcommand("publish", "publish every frame to an MQTT broker");
    p->set_help_flag();
    p->add_option("--broker", options->broker)->required();
    p->add_option("--id", options->id);
    p->add_option("--qos", options->qos)->check(CLI::IsMember({0, 1}));
    p->add_option("--max-rate", options->maxRate);
    p->add_option("-n", options->count)->check(CLI::Range(1LL, 1000000000000LL));
    p->callback(
        [&run, options] { run = [options](CliContext& ctx) { return commandPublish(ctx, *options); }; });
}

} // namespace tavrino::cli
