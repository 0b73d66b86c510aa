#pragma once
// The single connection to the box: connected flag, identification, the images of
// the box's write-only registers, and the bit-reversal table. Every link operation
// takes it as its first argument.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/serial/Transport.h"

namespace quarvin {

class Prompts;

struct RegisterImages {
    std::array<std::uint8_t, 5> direction{0x00, 0x00, 0x00, 0x00, 0x00};
    std::array<std::uint8_t, 2> control{0xFF, 0xFF};
    std::uint8_t mode = 0x00;
    std::uint8_t vppA = 0x00;
    std::uint8_t vppB = 0x80;
    std::uint8_t vccA = 0xFF;
    std::uint8_t vccGnd = 0x07;

    bool operator==(const RegisterImages&) const = default;
};

struct LinkState {
    std::uint16_t connected = 0;          // 1 only after a successful handshake
    // The box stopped answering during this run (as opposed to soft-run chosen at
    // start): device operations refuse until the link is made again.
    bool lost = false;
    std::unique_ptr<Transport> port;      // the port of the last open attempt
    std::string savedPortName = "COM1";   // last port that identified; the port file's content
    std::string identification;           // "quarvinc from COM3" after the handshake
    RegisterImages images;
    std::array<std::uint8_t, 256> bitReverse{}; // all zero until the first ShutDownSocket
    std::uint8_t lowAddressCounter = 0;   // shared with the 89S5x families
    // Read-ahead: how many ReadNextByte commands ReadNextBytes may have sent
    // before their replies came back. 1 waits for every reply (a real port until
    // the user switches read-ahead on in the link diagnostics).
    int readAheadWindow = 1;
    // Bytes sent since the last reply came back. A box that has gone silent only
    // shows when a reply is missing, so bytes after the last reply are not known
    // to have arrived until a reply-bearing command confirms them (ConfirmLink).
    std::uint32_t sentSinceReply = 0;
    std::uint64_t bytesSent = 0; // every byte sent, to place a reply of a read sent ahead
    // Read-ahead runs open (they may nest): replies of reads sent ahead may be on
    // their way, so no other command may ask for a reply meanwhile.
    int readingAhead = 0;
    // Speed estimate: loop count, its copy, MHz figure.
    std::int32_t loopCount = 0;
    std::int32_t loopCountCopy = 0;
    std::int32_t mhz = 0;
    // Set by a family whose parts rate their signal pins against Vcc, for the
    // length of an operation: every ConnectVcc(link, 0) then takes the ports
    // low (but the pins a Vcc switch holds) before it opens the switch.
    bool portsLowBeforeVccOff = false;
    // Pins those port writes keep high (the controls a battery-backed module
    // wants inactive while its supply switches); none unless a family sets them.
    std::vector<int> keptHighAtVccOff;

    Prompts* prompts = nullptr;           // for the lost-link message

    // Called after the link was made, lost or given up (connected, lost or the
    // port changed), so that the shell can show it.
    std::function<void()> onChange;
    void changed() const {
        if (onChange) onChange();
    }
};

} // namespace quarvin
