#include "platform/tune_presets.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace platform
{

namespace
{

constexpr int kPercussionChannel = 9;

class Bytes
{
public:
    Bytes(const unsigned char *begin, const unsigned char *end) : m_at(begin), m_end(end) {}
    bool atEnd() const { return m_at >= m_end; }
    bool has(std::size_t n) const { return std::size_t(m_end - m_at) >= n; }
    int next() { return atEnd() ? -1 : *m_at++; }
    bool skip(std::uint32_t n)
    {
        if (!has(n))
            return false;
        m_at += n;
        return true;
    }
    std::uint32_t bigEndian(int bytes)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = (value << 8) | std::uint32_t(next());
        return value;
    }
    // A variable-length quantity: at most four bytes of seven bits.
    bool quantity(std::uint32_t &value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            const int b = next();
            if (b < 0)
                return false;
            value = (value << 7) | std::uint32_t(b & 0x7f);
            if (b < 0x80)
                return true;
        }
        return false;
    }
    const unsigned char *at() const { return m_at; }

private:
    const unsigned char *m_at;
    const unsigned char *m_end;
};

// The events that decide a channel's preset, in time.
struct Event {
    std::uint64_t tick;
    int status;
    int first;
    int second;
};

void scanTrack(Bytes track, std::vector<Event> &events)
{
    int status = 0;
    std::uint64_t tick = 0;
    while (!track.atEnd()) {
        std::uint32_t delta = 0;
        if (!track.quantity(delta))
            return;
        tick += delta;
        int byte = track.next();
        if (byte < 0)
            return;
        if (byte >= 0x80) {
            status = byte;
            byte = -1;
        }
        if (status == 0xff) { // meta event: type, length, data
            std::uint32_t length = 0;
            if (track.next() < 0 || !track.quantity(length) || !track.skip(length))
                return;
            status = 0; // meta and system events cancel the running status
            continue;
        }
        if (status == 0xf0 || status == 0xf7) {
            std::uint32_t length = 0;
            if (!track.quantity(length) || !track.skip(length))
                return;
            status = 0;
            continue;
        }
        if (status < 0x80)
            return; // data without a status byte
        const int first = byte >= 0 ? byte : track.next();
        const int kind = status & 0xf0;
        const int second = (kind == 0xc0 || kind == 0xd0) ? 0 : track.next();
        if (first < 0 || second < 0)
            return;
        if ((kind == 0xb0 && first == 0) || kind == 0xc0 || (kind == 0x90 && second > 0))
            events.push_back({tick, status, first, second});
    }
}

} // namespace

MidiPresets presetsOfTune(const std::vector<char> &smf)
{
    const auto *data = reinterpret_cast<const unsigned char *>(smf.data());
    Bytes file(data, data + smf.size());
    if (!file.has(14) || std::memcmp(file.at(), "MThd", 4) != 0)
        return {};
    file.skip(4);
    const std::uint32_t headerLength = file.bigEndian(4);
    if (headerLength < 6 || !file.skip(headerLength))
        return {};

    // The tracks of a file play together and may set up each other's channels: their events
    // are taken in time order, track order breaking ties.
    std::vector<Event> events;
    while (file.has(8)) {
        const bool isTrack = std::memcmp(file.at(), "MTrk", 4) == 0;
        file.skip(4);
        const std::uint32_t length = file.bigEndian(4);
        const unsigned char *start = file.at();
        const bool whole = file.skip(length);
        if (isTrack)
            scanTrack(Bytes(start, whole ? start + length : data + smf.size()), events);
        if (!whole)
            break;
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event &a, const Event &b) { return a.tick < b.tick; });

    struct Channel {
        int bank = 0;
        int program = 0;
    };
    std::array<Channel, 16> channels{};
    MidiPresets presets;
    for (const Event &event : events) {
        Channel &channel = channels[std::size_t(event.status & 0x0f)];
        const bool percussion = (event.status & 0x0f) == kPercussionChannel;
        switch (event.status & 0xf0) {
        case 0xb0:
            channel.bank = event.second; // bank select, most significant byte
            break;
        case 0xc0:
            channel.program = event.first;
            break;
        default:
            presets.insert({percussion ? kPercussionBank : channel.bank, channel.program});
        }
    }
    return presets;
}

} // namespace platform
