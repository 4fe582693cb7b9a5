#include "platform/sound_font_subset.h"

#include "platform/fluid_library.h"

#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace platform
{

namespace
{

constexpr std::size_t kHeaderSize = 38, kBagSize = 4, kModulatorSize = 10, kGeneratorSize = 4;

std::uint32_t little32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

std::uint16_t little16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

void put32(std::string &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += char(v >> (8 * i));
}

void put16(std::string &out, std::size_t v)
{
    out += char(v);
    out += char(v >> 8);
}

void set16(std::string &record, std::size_t at, std::size_t v)
{
    record[at] = char(v);
    record[at + 1] = char(v >> 8);
}

struct FileCloser {
    void operator()(std::FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool readAt(std::FILE *file, std::uint64_t offset, char *out, std::size_t count)
{
    return fseeko(file, off_t(offset), SEEK_SET) == 0 && std::fread(out, 1, count, file) == count;
}

// One chunk: its four-letter name, where its contents start, how long they are.
struct Chunk {
    char id[5] = {};
    std::uint64_t data = 0;
    std::uint32_t size = 0;
    std::uint64_t end() const { return data + size + (size & 1); }
};

bool readChunk(std::FILE *file, std::uint64_t offset, std::uint64_t limit, Chunk &chunk)
{
    char header[8];
    if (offset + 8 > limit || !readAt(file, offset, header, 8))
        return false;
    std::memcpy(chunk.id, header, 4);
    chunk.data = offset + 8;
    chunk.size = little32(header + 4);
    return chunk.data + chunk.size <= limit;
}

} // namespace

std::uint64_t SoundFontView::size() const
{
    std::uint64_t total = 0;
    for (const Piece &piece : pieces)
        total += piece.length;
    return total;
}

bool SoundFontView::read(std::FILE *file, std::uint64_t offset, char *out,
                         std::uint64_t count) const
{
    std::uint64_t start = 0;
    for (const Piece &piece : pieces) {
        if (count == 0)
            return true;
        const std::uint64_t end = start + piece.length;
        if (offset < end) {
            const std::uint64_t within = offset - start;
            const std::uint64_t n = std::min(count, piece.length - within);
            if (piece.bytes.empty()) {
                if (!readAt(file, piece.fileOffset + within, out, std::size_t(n)))
                    return false;
            } else {
                std::memcpy(out, piece.bytes.data() + within, std::size_t(n));
            }
            out += n;
            offset += n;
            count -= n;
        }
        start = end;
    }
    return count == 0;
}

std::optional<SoundFontLayout> SoundFontLayout::read(const std::string &path, std::string *why)
{
    const auto fail = [why](const char *reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return fail(std::strerror(errno));
    if (fseeko(file.get(), 0, SEEK_END) != 0)
        return fail("cannot find its size");
    const auto fileSize = std::uint64_t(ftello(file.get()));
    char riff[12];
    if (!readAt(file.get(), 0, riff, 12) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "sfbk", 4) != 0)
        return fail("not a SoundFont 2 file");

    SoundFontLayout layout;
    layout.m_path = path;
    layout.m_riffSize = little32(riff + 4);
    layout.m_riffEnd = std::min<std::uint64_t>(8 + std::uint64_t(layout.m_riffSize), fileSize);
    Chunk pdta;
    bool found = false;
    for (std::uint64_t at = 12; at < layout.m_riffEnd;) {
        Chunk chunk;
        char type[4];
        if (!readChunk(file.get(), at, layout.m_riffEnd, chunk))
            return fail("a chunk runs past the end of the file");
        if (std::strcmp(chunk.id, "LIST") == 0 && chunk.size >= 4 &&
            readAt(file.get(), chunk.data, type, 4) && std::memcmp(type, "pdta", 4) == 0) {
            layout.m_pdtaOffset = at;
            pdta = chunk;
            found = true;
            break;
        }
        at = chunk.end();
    }
    if (!found)
        return fail("no preset data");
    layout.m_pdtaEnd = std::min(pdta.end(), layout.m_riffEnd);

    // The preset data's first four chunks, in the order every SoundFont 2 file has them.
    std::string headers;
    std::string *contents[] = {&headers, &layout.m_bags, &layout.m_modulators,
                               &layout.m_generators};
    const char *names[] = {"phdr", "pbag", "pmod", "pgen"};
    const std::size_t sizes[] = {kHeaderSize, kBagSize, kModulatorSize, kGeneratorSize};
    std::uint64_t at = pdta.data + 4;
    for (int i = 0; i < 4; ++i) {
        Chunk chunk;
        if (!readChunk(file.get(), at, layout.m_pdtaEnd, chunk) ||
            std::strcmp(chunk.id, names[i]) != 0 || chunk.size % sizes[i] != 0 || chunk.size == 0)
            return fail("its preset chunks are not where a SoundFont 2 file keeps them");
        contents[i]->resize(chunk.size);
        if (!readAt(file.get(), chunk.data, contents[i]->data(), chunk.size))
            return fail("cannot read its preset chunks");
        at = chunk.end();
    }
    layout.m_instOffset = at;

    // Each record's zones run up to the next record's: every index must stay in its table,
    // and never run backwards.
    const std::size_t bagCount = layout.m_bags.size() / kBagSize;
    const std::size_t modulatorCount = layout.m_modulators.size() / kModulatorSize;
    const std::size_t generatorCount = layout.m_generators.size() / kGeneratorSize;
    std::size_t lastBag = 0;
    for (std::size_t i = 0; i < headers.size(); i += kHeaderSize) {
        Header header;
        header.record = headers.substr(i, kHeaderSize);
        header.preset = {little16(&header.record[22]), little16(&header.record[20])};
        header.firstBag = little16(&header.record[24]);
        if (header.firstBag < lastBag || header.firstBag >= bagCount)
            return fail("its preset headers point outside their zones");
        lastBag = header.firstBag;
        layout.m_headers.push_back(std::move(header));
    }
    if (layout.m_headers.size() < 2)
        return fail("it has no presets");
    std::size_t lastGenerator = 0, lastModulator = 0;
    for (std::size_t i = 0; i < bagCount; ++i) {
        const std::size_t generator = little16(&layout.m_bags[i * kBagSize]);
        const std::size_t modulator = little16(&layout.m_bags[i * kBagSize + 2]);
        if (generator < lastGenerator || generator >= generatorCount || modulator < lastModulator ||
            modulator >= modulatorCount)
            return fail("its preset zones point outside their generators");
        lastGenerator = generator;
        lastModulator = modulator;
    }
    return layout;
}

MidiPresets SoundFontLayout::presets() const
{
    MidiPresets all;
    for (std::size_t i = 0; i + 1 < m_headers.size(); ++i)
        all.insert(m_headers[i].preset);
    return all;
}

SoundFontView SoundFontLayout::subset(const MidiPresets &wanted) const
{
    const MidiPresets present = presets();
    MidiPresets keep;
    for (const MidiPreset &preset : wanted) {
        if (present.count(preset))
            keep.insert(preset);
        else if (preset.bank == kPercussionBank)
            keep.insert({kPercussionBank, 0});
        else
            keep.insert({0, preset.program});
    }

    std::string headers, bags, modulators, generators;
    const auto bag = [this](std::size_t i, std::size_t field) {
        return std::size_t(little16(&m_bags[i * kBagSize + field]));
    };
    for (std::size_t i = 0; i + 1 < m_headers.size(); ++i) {
        if (!keep.count(m_headers[i].preset))
            continue;
        std::string record = m_headers[i].record;
        set16(record, 24, bags.size() / kBagSize);
        headers += record;
        for (std::size_t b = m_headers[i].firstBag; b < m_headers[i + 1].firstBag; ++b) {
            put16(bags, generators.size() / kGeneratorSize);
            put16(bags, modulators.size() / kModulatorSize);
            generators.append(m_generators, bag(b, 0) * kGeneratorSize,
                              (bag(b + 1, 0) - bag(b, 0)) * kGeneratorSize);
            modulators.append(m_modulators, bag(b, 2) * kModulatorSize,
                              (bag(b + 1, 2) - bag(b, 2)) * kModulatorSize);
        }
    }
    // The terminal records close each table, as in the file.
    std::string last = m_headers.back().record;
    set16(last, 24, bags.size() / kBagSize);
    headers += last;
    put16(bags, generators.size() / kGeneratorSize);
    put16(bags, modulators.size() / kModulatorSize);
    modulators.append(m_modulators, m_modulators.size() - kModulatorSize, kModulatorSize);
    generators.append(m_generators, m_generators.size() - kGeneratorSize, kGeneratorSize);

    std::string presetChunks;
    for (const auto &[name, data] :
         {std::pair{"phdr", &headers}, std::pair{"pbag", &bags}, std::pair{"pmod", &modulators},
          std::pair{"pgen", &generators}}) {
        presetChunks.append(name, 4);
        put32(presetChunks, std::uint32_t(data->size()));
        presetChunks += *data;
    }
    const std::uint64_t instruments = m_pdtaEnd - m_instOffset;
    const std::uint64_t after = m_riffEnd - m_pdtaEnd;
    const std::uint64_t pdtaSize = 4 + presetChunks.size() + instruments;

    SoundFontView view;
    view.path = m_path;
    std::string riff = "RIFF";
    put32(riff, std::uint32_t((m_pdtaOffset - 8) + 8 + pdtaSize + after));
    riff += "sfbk";
    std::string pdta = "LIST";
    put32(pdta, std::uint32_t(pdtaSize));
    pdta += "pdta";
    pdta += presetChunks;
    view.pieces.push_back({0, riff.size(), riff});
    view.pieces.push_back({12, m_pdtaOffset - 12, {}});
    view.pieces.push_back({0, pdta.size(), pdta});
    view.pieces.push_back({m_instOffset, instruments, {}});
    if (after > 0)
        view.pieces.push_back({m_pdtaEnd, after, {}});
    return view;
}

namespace
{

// Views by name, and names by what the view holds. Never destroyed: FluidSynth opens a view
// again whenever a tune selects an instrument, until the program's very end.
struct Registry {
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<const SoundFontView>> views;
    std::map<std::string, std::string> names; // by the view's pieces
};

Registry &registry()
{
    static auto *instance = new Registry;
    return *instance;
}

// What FluidSynth holds while it reads: a view (or none, for a plain file) and where it is.
struct OpenFile {
    std::shared_ptr<const SoundFontView> view;
    File file;
    std::uint64_t position = 0;
};

void *openFile(const char *name)
{
    std::shared_ptr<const SoundFontView> view;
    {
        std::lock_guard lock(registry().mutex);
        const auto found = registry().views.find(name);
        if (found != registry().views.end())
            view = found->second;
    }
    File file(std::fopen(view ? view->path.c_str() : name, "rb"));
    if (!file)
        return nullptr;
    return new OpenFile{std::move(view), std::move(file), 0};
}

int readFile(void *buffer, fluid_long_long_t count, void *handle)
{
    auto *open = static_cast<OpenFile *>(handle);
    if (count < 0)
        return FLUID_FAILED;
    const bool done = open->view
                          ? open->view->read(open->file.get(), open->position,
                                             static_cast<char *>(buffer), std::uint64_t(count))
                          : readAt(open->file.get(), open->position, static_cast<char *>(buffer),
                                   std::size_t(count));
    if (!done)
        return FLUID_FAILED;
    open->position += std::uint64_t(count);
    return FLUID_OK;
}

int seekFile(void *handle, fluid_long_long_t offset, int origin)
{
    auto *open = static_cast<OpenFile *>(handle);
    std::int64_t base = 0;
    if (origin == SEEK_CUR) {
        base = std::int64_t(open->position);
    } else if (origin == SEEK_END) {
        if (open->view) {
            base = std::int64_t(open->view->size());
        } else {
            if (fseeko(open->file.get(), 0, SEEK_END) != 0)
                return FLUID_FAILED;
            base = std::int64_t(ftello(open->file.get()));
        }
    } else if (origin != SEEK_SET) {
        return FLUID_FAILED;
    }
    if (base + offset < 0)
        return FLUID_FAILED;
    open->position = std::uint64_t(base + offset);
    return FLUID_OK;
}

fluid_long_long_t tellFile(void *handle)
{
    return fluid_long_long_t(static_cast<OpenFile *>(handle)->position);
}

int closeFile(void *handle)
{
    delete static_cast<OpenFile *>(handle);
    return FLUID_OK;
}

} // namespace

std::string nameSoundFontView(const SoundFontView &view)
{
    std::string key = view.path + '\0';
    for (const SoundFontView::Piece &piece : view.pieces)
        key += piece.bytes.empty()
                   ? std::to_string(piece.fileOffset) + "+" + std::to_string(piece.length) + ";"
                   : piece.bytes;
    std::lock_guard lock(registry().mutex);
    auto &name = registry().names[key];
    if (name.empty()) {
        name = view.path + "#presets-" + std::to_string(registry().names.size());
        registry().views.emplace(name, std::make_shared<const SoundFontView>(view));
    }
    return name;
}

fluid_sfloader_t *soundFontViewLoader(const FluidSynth &fluid, fluid_settings_t *settings)
{
    fluid_sfloader_t *loader = fluid.new_fluid_defsfloader(settings);
    if (loader && fluid.fluid_sfloader_set_callbacks(loader, openFile, readFile, seekFile, tellFile,
                                                     closeFile) != FLUID_OK) {
        fluid.delete_fluid_sfloader(loader);
        return nullptr;
    }
    return loader;
}

} // namespace platform
