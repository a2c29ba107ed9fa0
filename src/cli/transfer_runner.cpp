#include "transfer_runner.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QString>
#include <iostream>
#include <memory>

#include "port_map.h"
#include "serial_transfer.h"
#include "verbs.h"

namespace varel::cli {

namespace {

constexpr int kLastProgress = 196;

TransferResult FromOutcome(link::Outcome outcome) {
    switch (outcome) {
        case link::Outcome::Success:
            return TransferResult::Success;
        case link::Outcome::BandRefused:
        case link::Outcome::Cancelled:
            return TransferResult::BandRefused;
        case link::Outcome::Pending:
        case link::Outcome::CommunicationError:
            break;
    }
    return TransferResult::Communication;
}

}  // namespace

bool TransferDevice(const ParsedArgs& parsed, std::string& device, std::string& problem) {
    if (!parsed.has("--port")) {
        problem = "--port PORT is needed";
        return false;
    }
    if (parsed.positional.size() != 1) {
        problem = "one data file is needed";
        return false;
    }
    const link::PortArgument port = link::ResolvePortArgument(parsed.options.at("--port"));
    if (!port.valid) {
        problem = "--port needs a device path or a number from 1 to 20";
        return false;
    }
    device = port.device;
    return true;
}

TransferResult RunTransfer(const TransferRun& run, link::TransferMachine& machine) {
    static int argc = 1;
    static char name[] = "varel-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr)
        app = std::make_unique<QCoreApplication>(argc, argv);

    const bool showProgress = isatty(STDERR_FILENO) != 0;
    link::SerialTransfer transfer;
    link::Outcome outcome = link::Outcome::Pending;
    QObject::connect(&transfer, &link::SerialTransfer::progressChanged, [&](int value) {
        if (showProgress)
            std::cerr << "\r" << run.label << " " << value << "/" << kLastProgress << std::flush;
    });
    QObject::connect(&transfer, &link::SerialTransfer::bandQuestion, [&] {
        if (showProgress) std::cerr << "\n";
        std::cerr << "varel-cli: The frequency band is not accorded with, whether write into by "
                     "force? "
                  << (run.answerBandOk ? "OK" : "Cancel") << "\n";
        transfer.answerBandQuestion(run.answerBandOk);
    });
    QObject::connect(&transfer, &link::SerialTransfer::finished, [&](link::Outcome result) {
        outcome = result;
        QCoreApplication::exit(0);
    });
    if (!transfer.start(QString::fromStdString(run.device), machine))
        return TransferResult::PortInvalid;
    QCoreApplication::exec();
    if (showProgress) std::cerr << "\n";
    return FromOutcome(outcome);
}

int ReportTransfer(TransferResult result, const std::string& device) {
    switch (result) {
        case TransferResult::Success:
            return kOk;
        case TransferResult::PortInvalid:
            std::cerr << "varel-cli: The serial port is invalid (" << device << ")\n";
            return kPortInvalid;
        case TransferResult::Communication:
            std::cerr << "varel-cli: Communication error, check the line and the serial "
                         "connection selection!\n";
            return kCommunication;
        case TransferResult::BandRefused:
            std::cerr << "varel-cli: The frequency band is not accorded with, can't write into!\n";
            return kBandRefused;
    }
    return kFailure;
}

}  // namespace varel::cli
