#include "platform/store/PropertyCodec.h"

#include <cstring>

namespace platform {

namespace {

constexpr std::uint8_t kFormat = 1;
// Key prefixes: records lacking the sort property go first or last.
constexpr std::uint8_t kKeyMissingFirst = 0x00;
constexpr std::uint8_t kKeyPresent = 0x01;
constexpr std::uint8_t kKeyMissingLast = 0x02;

std::uint32_t ReadLE(const std::uint8_t* p, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

std::uint64_t ReadLE64(const std::uint8_t* p)
{
    return static_cast<std::uint64_t>(ReadLE(p, 4)) | (static_cast<std::uint64_t>(ReadLE(p + 4, 4)) << 32);
}

void WriteLE(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void WriteBE(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The size a value of this type must have, 0 for variable sizes.
std::uint32_t FixedSize(WORD type)
{
    switch (type) {
    case CEVT_I2:
    case CEVT_UI2:
        return 2;
    case CEVT_I4:
    case CEVT_UI4:
    case CEVT_BOOL:
        return 4;
    case CEVT_R8:
        return 8;
    default:
        return 0;
    }
}

bool SizeFits(WORD type, std::uint32_t size)
{
    std::uint32_t fixed = FixedSize(type);
    if (fixed)
        return size == fixed;
    if (type == CEVT_LPWSTR)
        return size % 2 == 0;
    return true;
}

std::uint64_t DoubleBits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

bool PropertyCodec::Parse(const std::uint8_t* blob, std::size_t size, std::vector<Entry>& entries)
{
    entries.clear();
    if (size == 0 || blob[0] != kFormat)
        return false;
    std::size_t pos = 1;
    while (pos < size) {
        if (size - pos < 8)
            return false;
        Entry entry{ReadLE(blob + pos, 4), nullptr, ReadLE(blob + pos + 4, 4)};
        pos += 8;
        if (size - pos < entry.size || !SizeFits(TYPEID(entry.propid), entry.size))
            return false;
        entry.data = blob + pos;
        pos += entry.size;
        entries.push_back(entry);
    }
    return true;
}

void PropertyCodec::AppendValue(std::vector<std::uint8_t>& out, const CCeDBProp& prop)
{
    switch (prop.m_type) {
    case CEVT_I2:
    case CEVT_UI2:
        WriteLE(out, static_cast<std::uint64_t>(prop.m_integer), 2);
        break;
    case CEVT_I4:
    case CEVT_UI4:
    case CEVT_BOOL:
        WriteLE(out, static_cast<std::uint64_t>(prop.m_integer), 4);
        break;
    case CEVT_R8:
        WriteLE(out, DoubleBits(prop.m_double), 8);
        break;
    case CEVT_LPWSTR:
        for (char16_t unit : prop.m_text)
            WriteLE(out, unit, 2);
        break;
    case CEVT_BLOB:
        out.insert(out.end(), prop.m_bytes.begin(), prop.m_bytes.end());
        break;
    default:
        break;  // a type the store does not know has no value to keep
    }
}

std::vector<std::uint8_t> PropertyCodec::Merge(const std::vector<Entry>& stored, const CCeDBRecord& record)
{
    // The record's values, the last of the same id and type winning.
    struct Fresh {
        CEPROPID propid;
        std::vector<std::uint8_t> bytes;
        bool used;
    };
    std::vector<Fresh> fresh;
    for (WORD i = 0; i < record.GetNumProps(); ++i) {
        const CCeDBProp* prop = record.GetProp(i);
        if (!prop->HasValue())
            continue;
        Fresh* slot = nullptr;
        for (Fresh& f : fresh)
            if (f.propid == prop->GetPropID())
                slot = &f;
        if (!slot)
            slot = &fresh.emplace_back(Fresh{prop->GetPropID(), {}, false});
        slot->bytes.clear();
        AppendValue(slot->bytes, *prop);
    }

    std::vector<std::uint8_t> out;
    out.push_back(kFormat);
    auto put = [&out](CEPROPID propid, const std::uint8_t* data, std::size_t size) {
        WriteLE(out, propid, 4);
        WriteLE(out, size, 4);
        out.insert(out.end(), data, data + size);
    };
    for (const Entry& entry : stored) {
        Fresh* replacement = nullptr;
        for (Fresh& f : fresh)
            if (f.propid == entry.propid)
                replacement = &f;
        if (replacement) {
            put(entry.propid, replacement->bytes.data(), replacement->bytes.size());
            replacement->used = true;
        } else {
            put(entry.propid, entry.data, entry.size);
        }
    }
    for (const Fresh& f : fresh)
        if (!f.used)
            put(f.propid, f.bytes.data(), f.bytes.size());
    return out;
}

bool PropertyCodec::Load(CCeDBProp& prop, const Entry& entry)
{
    const std::uint8_t* p = entry.data;
    switch (prop.m_type) {
    case CEVT_I2:
        prop.m_integer = static_cast<std::int16_t>(ReadLE(p, 2));
        break;
    case CEVT_UI2:
        prop.m_integer = static_cast<std::uint16_t>(ReadLE(p, 2));
        break;
    case CEVT_I4:
    case CEVT_BOOL:
        prop.m_integer = static_cast<std::int32_t>(ReadLE(p, 4));
        break;
    case CEVT_UI4:
        prop.m_integer = ReadLE(p, 4);
        break;
    case CEVT_R8: {
        std::uint64_t bits = ReadLE64(p);
        std::memcpy(&prop.m_double, &bits, sizeof bits);
        break;
    }
    case CEVT_LPWSTR:
        prop.m_text.resize(entry.size / 2);
        for (std::size_t i = 0; i < prop.m_text.size(); ++i)
            prop.m_text[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
        break;
    case CEVT_BLOB:
        prop.m_bytes.assign(p, p + entry.size);
        break;
    default:
        return false;
    }
    prop.m_hasValue = true;
    return true;
}

bool PropertyCodec::Fill(CCeDBRecord& record, const std::uint8_t* blob, std::size_t size)
{
    thread_local std::vector<Entry> entries;
    if (!Parse(blob, size, entries))
        return false;
    // Records are mostly read with the properties in the order they were
    // written, so each search starts after the last match.
    std::size_t hint = 0;
    for (WORD i = 0; i < record.GetNumProps(); ++i) {
        CCeDBProp& prop = *record.GetProp(i);
        CEPROPID propid = prop.GetPropID();
        const Entry* found = nullptr;
        for (std::size_t n = 0; n < entries.size(); ++n) {
            std::size_t at = (hint + n) % entries.size();
            if (entries[at].propid == propid) {
                found = &entries[at];
                hint = at + 1;
                break;
            }
        }
        // The previous value goes; Load keeps the buffers for reuse.
        prop.m_hasValue = false;
        prop.m_integer = 0;
        prop.m_double = 0.0;
        prop.m_text.clear();
        prop.m_bytes.clear();
        if (found)
            Load(prop, *found);
    }
    return true;
}

void PropertyCodec::AppendKey(std::vector<std::uint8_t>& key, WORD type, const std::uint8_t* p, std::uint32_t size)
{
    switch (type) {
    case CEVT_I2:
        WriteBE(key, ReadLE(p, 2) ^ 0x8000u, 2);
        break;
    case CEVT_UI2:
        WriteBE(key, ReadLE(p, 2), 2);
        break;
    case CEVT_I4:
        WriteBE(key, ReadLE(p, 4) ^ 0x80000000u, 4);
        break;
    case CEVT_UI4:
        WriteBE(key, ReadLE(p, 4), 4);
        break;
    case CEVT_BOOL:
        key.push_back(ReadLE(p, 4) != 0 ? 1 : 0);
        break;
    case CEVT_R8: {
        std::uint64_t bits = ReadLE64(p);
        if (bits == 0x8000000000000000ULL)
            bits = 0;  // -0 equals +0
        // Negative numbers reverse their order; positive ones sort above them.
        bits = (bits & 0x8000000000000000ULL) ? ~bits : bits | 0x8000000000000000ULL;
        WriteBE(key, bits, 8);
        break;
    }
    case CEVT_LPWSTR:
        // Big-endian code units: byte order is code unit order.
        for (std::uint32_t i = 0; i + 1 < size; i += 2) {
            key.push_back(p[i + 1]);
            key.push_back(p[i]);
        }
        break;
    default:
        key.insert(key.end(), p, p + size);
        break;
    }
}

void PropertyCodec::SortKey(const std::vector<Entry>& entries, CEPROPID sortProp, DWORD flags,
                            std::vector<std::uint8_t>& key)
{
    key.clear();
    if (sortProp == 0)
        return;  // one empty key for all: order by object id
    for (const Entry& entry : entries) {
        if (entry.propid == sortProp) {
            key.push_back(kKeyPresent);
            AppendKey(key, TYPEID(sortProp), entry.data, entry.size);
            return;
        }
    }
    key.push_back((flags & CEDB_SORT_UNKNOWNFIRST) ? kKeyMissingFirst : kKeyMissingLast);
}

bool PropertyCodec::ValueKey(const CCeDBProp& prop, std::vector<std::uint8_t>& key)
{
    key.clear();
    if (!prop.HasValue())
        return false;
    std::vector<std::uint8_t> value;
    AppendValue(value, prop);
    key.push_back(kKeyPresent);
    AppendKey(key, prop.GetType(), value.data(), static_cast<std::uint32_t>(value.size()));
    return true;
}

}  // namespace platform
