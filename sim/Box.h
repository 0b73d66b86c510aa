#pragma once
// The virtual programmer box: executes the command bytes as they arrive, queues
// its reply bytes, keeps the socket and the line clock.
#include <any>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "sim/Faults.h"
#include "sim/LineClock.h"
#include "sim/OpcodeTable.h"
#include "sim/Socket.h"

namespace quarvin::sim {

// The box's serial receiver and its firmware's pace. A byte that completes while
// the receive buffer is full is lost, as on a small microcontroller's UART.
struct UartConfig {
    // Received bytes the box holds before its firmware takes them: the holding
    // register and the shift register.
    std::size_t receiveBuffer = 2;
    // Firmware time of a command on top of the waits its handler models (program
    // pulses, page loops): decoding, port writes, putting the reply out.
    double commandCostUs = 10.0;
    // Per opcode, in place of commandCostUs.
    std::map<std::uint8_t, double> opcodeCostUs;

    double costUs(std::uint8_t opcode) const {
        const auto it = opcodeCostUs.find(opcode);
        return it == opcodeCostUs.end() ? commandCostUs : it->second;
    }
};

// A USB serial adapter between the box and the host: the box's replies reach the
// host only in packets, when a packet is full or when the adapter's latency timer
// runs out after the first byte of a packet came in. Bytes to the box pass at once.
struct UsbAdapterConfig {
    bool attached = false;
    double latencyMs = 16.0;
    std::size_t packetBytes = 62;
};

struct BoxConfig {
    std::string identification = "quarvinc"; // first 8 bytes of the identify reply (0-padded)
    std::uint8_t identifyTail = 0x00;        // the ninth byte
    // Board model as GetBoardModel tells it: 'a' has no ground switch on pin 31;
    // 'b' and 'c' have it ('b' is the board that identifies as "pemrav13").
    char board = 'c';
    std::uint64_t clockHz = 4'000'000;
    UartConfig uart{};
    UsbAdapterConfig usb{};

    // The configuration of a board model, with its usual identification.
    static BoxConfig forBoard(char board);
};

class Box {
public:
    explicit Box(BoxConfig config = {});

    // Host side.
    void receive(std::uint8_t byte);
    void receive(const std::uint8_t* bytes, std::size_t n);
    bool hasReply() const { return !replies_.empty(); }
    std::size_t pendingReplies() const { return replies_.size(); }
    int popReply();          // -1 when none is queued
    // The oldest reply and when it reaches the host on the line clock, for a caller
    // that delivers it at that time; the host's readiness is left to that caller.
    struct TimedReply {
        std::uint8_t value;
        std::int64_t arrivesPs;
    };
    std::optional<TimedReply> popTimedReply();
    void dropReplies() {
        replies_.clear();
        packetLeft_ = 0;
    }

    // Used by opcode handlers.
    void reply(std::uint8_t b);
    void wait(std::int64_t ps) { clock_.boxWaits(ps); refresh(); }
    void waitMicroseconds(double us) { wait(static_cast<std::int64_t>(us * 1e6)); }
    std::int64_t nowPs() const { return clock_.boxNowPs(); }
    void refresh() { socket_.refresh(nowPs()); }
    const BoxConfig& config() const { return config_; }

    // State kept for a family's opcodes (pulse count, block length, ...): one
    // default-constructed object of each type per box.
    template <class T> T& state() {
        auto& slot = states_[std::type_index(typeid(T))];
        if (!slot.has_value()) slot = std::make_shared<T>();
        return *std::any_cast<std::shared_ptr<T>&>(slot);
    }

    Socket& socket() { return socket_; }
    const Socket& socket() const { return socket_; }
    LineClock& clock() { return clock_; }
    const LineClock& clock() const { return clock_; }
    OpcodeTable& opcodes() { return opcodes_; }
    BoxFaults& faults() { return faults_; }
    const std::vector<BoxError>& errors() const { return errors_; }
    std::uint64_t bytesReceived() const { return received_; }
    bool silent() const;

    void insert(std::shared_ptr<Chip> chip) { socket_.insert(std::move(chip)); refresh(); }
    void remove() { socket_.remove(); }

    // Replaces the identification; used by the identify opcode.
    void setIdentification(std::string id) { config_.identification = std::move(id); }

private:
    void execute();

    BoxConfig config_;
    Socket socket_;
    LineClock clock_;
    OpcodeTable opcodes_;
    BoxFaults faults_;
    std::vector<BoxError> errors_;

    struct Reply {
        std::uint8_t value;
        std::int64_t arrivesPs;
    };
    std::deque<Reply> replies_;
    // When the oldest queued reply reaches the host through the USB adapter.
    std::int64_t deliveryOfFront();
    std::size_t packetLeft_ = 0;   // replies of the packet now arriving not taken yet
    std::int64_t packetAtPs_ = 0;  // when that packet reaches the host
    std::uint64_t repliesSent_ = 0;
    std::uint64_t received_ = 0;

    // Command being collected.
    const OpcodeSpec* pending_ = nullptr;
    std::uint8_t pendingOp_ = 0;
    std::uint64_t pendingIndex_ = 0;
    std::size_t needed_ = 0;
    std::vector<std::uint8_t> args_;

    std::unordered_map<std::type_index, std::any> states_;
};

} // namespace quarvin::sim
