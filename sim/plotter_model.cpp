#include "sim/plotter_model.h"

#include <algorithm>

#include "sim/wire_format.h"

namespace sim {

PlotterModel::PlotterModel(const BoardSettings& settings, const FaultPlan& faults)
    : settings_(settings), faults_(faults) {
    if (!faults_.holdAfter) holdRepliesLeft_ = faults_.holdReplies;
    if (!faults_.silentAfter) silentRequestsLeft_ = faults_.silentRequests;
}

Answer PlotterModel::Handle(uint32_t command, uint32_t value, Clock::time_point now) {
    if (Silenced(now)) return Answer{.silent = true, .value = std::nullopt, .position = 0};
    ++seen_[command];
    Answer answer;
    if (command != kCmdSetAddress || faults_.answerAddressChange) {
        answer.value = Reply(command, value);
        // The raster position stands still while nothing prints.
        answer.position = swathsPrinted_;
    }
    FireTriggers(command);
    return answer;
}

bool PlotterModel::Silenced(Clock::time_point now) {
    if (silentRequestsLeft_ > 0) {
        --silentRequestsLeft_;
        return true;
    }
    return now < silentUntil_;
}

uint32_t PlotterModel::Reply(uint32_t command, uint32_t value) {
    switch (command) {
        case kCmdReset:
            if (jobOpen_) EndJob();
            jobOpen_ = false;
            busyRepliesLeft_ = 0;
            printQueue_.clear();
            swathsPrinted_ = 0;
            stop_ = false;
            announcedBytes_.reset();
            payload_.clear();
            dataReceived_ = false;
            return value;
        case kCmdJobBegin:
            // A repeated job begin (its reply was lost) belongs to the open job.
            if (!jobOpen_) {
                jobs_.emplace_back();
                jobOpen_ = true;
                printQueue_.clear();
                swathsPrinted_ = 0;
            }
            busyRepliesLeft_ = settings_.busyReplies;
            return value;
        case kCmdPrintStart:
            if (jobOpen_) jobs_.back().printStarted = true;
            return value;
        case kCmdGetProgress:
            return swathsPrinted_;
        case kCmdGetStatus:
            return TakeStatusWord();
        case kCmdDataLength:
            ++announcement_;
            announcedBytes_ = value;
            payload_.clear();
            dataReceived_ = false;
            return value;
        case kCmdDataChecksum:
            if (faults_.wrongChecksums > 0) {
                --faults_.wrongChecksums;
                return PayloadWordSum(payload_) + 1;
            }
            return PayloadWordSum(payload_);
        case kCmdDataCommit:
            Commit();
            return value;
        case kCmdRightEnd:
        case kCmdLeftStart:
        case kCmdSwathCount:
        case kCmdYStep:
        case kCmdFanPwm:
        case kCmdPrintSpeed:
        case kCmdRasterVal:
        case kCmdMotorBufL:
        case kCmdMotorBufR:
        case kCmdStepSpeed:
            if (jobOpen_) jobs_.back().settings[command] = value;
            return value;
        default:
            // Unknown commands and the address change are echoed.
            return value;
    }
}

void PlotterModel::Commit() {
    // A repeated commit (its reply was lost) finds nothing new to commit.
    if (!dataReceived_) return;
    committed_.push_back({jobOpen_ ? static_cast<int>(jobs_.size()) - 1 : -1, std::move(payload_)});
    payload_.clear();
    announcedBytes_.reset();
    dataReceived_ = false;
    if (!jobOpen_) return;
    // The first packet of a job is the head-clearing test pattern, which
    // prints no swath.
    if (jobs_.back().committedPackets++ == 0) return;
    printQueue_.push_back(std::max(settings_.printReplies, 1));
}

void PlotterModel::MarkPayloadReceived() {
    if (dataReceived_) return;
    dataReceived_ = true;
    if (jobOpen_) ++jobs_.back().receivedPayloads;
}

void PlotterModel::EndJob() {
    JobRecord& job = jobs_.back();
    job.ended = true;
    job.done = JobDone();
    job.swathsPrinted = swathsPrinted_;
}

void PlotterModel::AdvancePrinting() {
    if (printQueue_.empty() || --printQueue_.front() > 0) return;
    printQueue_.pop_front();
    const uint64_t printed = static_cast<uint64_t>(swathsPrinted_) + static_cast<uint64_t>(std::max(settings_.passes, 0));
    // The last packet may carry fewer swaths than passes.
    swathsPrinted_ = static_cast<uint32_t>(std::min<uint64_t>(printed, SwathCount()));
}

uint32_t PlotterModel::SwathCount() const {
    if (!jobOpen_) return 0;
    const auto& settings = jobs_.back().settings;
    const auto count = settings.find(kCmdSwathCount);
    return count == settings.end() ? 0 : count->second;
}

bool PlotterModel::JobDone() const {
    return jobOpen_ && jobs_.back().printStarted && printQueue_.empty() && swathsPrinted_ >= SwathCount();
}

uint32_t PlotterModel::PeekStatusWord() const {
    uint32_t word = 0;
    if (busyRepliesLeft_ > 0) word |= kStatusBusy;
    if (dataReceived_) word |= kStatusDataReceived;
    if (JobDone()) word |= kStatusJobDone;
    if (stop_) word |= kStatusStop;
    if (holdRepliesLeft_ > 0) word |= kStatusHold;
    if (!jobOpen_ && faults_.endRequests > 0) word |= kStatusEndRequest;
    return word;
}

uint32_t PlotterModel::TakeStatusWord() {
    AdvancePrinting();
    const uint32_t word = PeekStatusWord();
    if (busyRepliesLeft_ > 0) --busyRepliesLeft_;
    if (holdRepliesLeft_ > 0) --holdRepliesLeft_;
    if ((word & kStatusEndRequest) != 0) --faults_.endRequests;
    return word;
}

void PlotterModel::FireTriggers(uint32_t command) {
    const int seen = seen_[command];
    const auto fires = [&](const std::optional<Trigger>& trigger) {
        return trigger && trigger->command == command && trigger->count == seen;
    };
    if (fires(faults_.stopAfter)) stop_ = true;
    if (fires(faults_.holdAfter)) holdRepliesLeft_ = faults_.holdReplies;
    if (fires(faults_.silentAfter)) silentRequestsLeft_ = faults_.silentRequests;
}

ConnectionTicket PlotterModel::OpenConnection() {
    ConnectionTicket ticket{++connection_, announcement_, std::nullopt};
    payload_.clear();
    dataReceived_ = false;
    if (!announcedBytes_) return ticket;
    if (faults_.cutConnections > 0) {
        --faults_.cutConnections;
        ticket.cutAfter = *announcedBytes_ / 2;
    }
    // An empty payload has arrived as soon as its connection is there.
    if (*announcedBytes_ == 0) MarkPayloadReceived();
    return ticket;
}

void PlotterModel::ReceivePayload(const ConnectionTicket& ticket, std::span<const uint8_t> bytes) {
    if (ticket.connection != connection_ || ticket.announcement != announcement_ || !announcedBytes_ || dataReceived_)
        return;
    // Bytes beyond the announced count are not part of the payload.
    const std::size_t wanted = *announcedBytes_ - payload_.size();
    const std::size_t taken = std::min(wanted, bytes.size());
    payload_.insert(payload_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(taken));
    if (payload_.size() == *announcedBytes_) MarkPayloadReceived();
}

void PlotterModel::CloseConnection(const ConnectionTicket& ticket) {
    if (ticket.connection != connection_ || ticket.announcement != announcement_ || !announcedBytes_) return;
    MarkPayloadReceived();
}

void PlotterModel::SetPasses(int passes) { settings_.passes = passes; }
void PlotterModel::RaiseStop() { stop_ = true; }
void PlotterModel::HoldFor(int statusReplies) { holdRepliesLeft_ = statusReplies; }
void PlotterModel::RequestEnd(int idleStatusReplies) { faults_.endRequests = idleStatusReplies; }
void PlotterModel::FailChecksums(int count) { faults_.wrongChecksums = count; }
void PlotterModel::CutConnections(int count) { faults_.cutConnections = count; }
void PlotterModel::GoSilent(int requests) { silentRequestsLeft_ = requests; }
void PlotterModel::GoSilentUntil(Clock::time_point end) { silentUntil_ = end; }
void PlotterModel::AnswerAddressChange(bool answer) { faults_.answerAddressChange = answer; }

int PlotterModel::RequestsSeen(uint32_t command) const {
    const auto found = seen_.find(command);
    return found == seen_.end() ? 0 : found->second;
}

}  // namespace sim
