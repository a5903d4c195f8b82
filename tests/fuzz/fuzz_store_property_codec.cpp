// libFuzzer target: decoding a stored record's property blob. Whatever the
// bytes, decoding stays inside them, a decoded record encodes again into a
// blob that decodes, and sort keys are built without reading past a value.
#include "platform/store/PropertyCodec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using platform::PropertyCodec;

namespace {

const CCeDBProp::Type kTypes[] = {
    CCeDBProp::Type_Short, CCeDBProp::Type_UShort, CCeDBProp::Type_Long,   CCeDBProp::Type_ULong,
    CCeDBProp::Type_Bool,  CCeDBProp::Type_Double, CCeDBProp::Type_String, CCeDBProp::Type_Blob,
};

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte picks the sort order; the rest is the stored blob, kept
    // in a buffer of its own size so that any overread is caught.
    if (size == 0)
        return 0;
    const std::uint8_t choice = data[0];
    std::vector<std::uint8_t> blob(data + 1, data + size);

    std::vector<PropertyCodec::Entry> entries;
    bool parsed = PropertyCodec::Parse(blob.data(), blob.size(), entries);

    // A record asking for every property the blob names, plus one of each
    // type under an identifier it may not hold.
    CCeDBRecord record;
    for (const PropertyCodec::Entry& entry : entries) {
        Check(entry.data >= blob.data() && entry.data + entry.size <= blob.data() + blob.size());
        for (CCeDBProp::Type type : kTypes)
            if (type == TYPEID(entry.propid))
                record.AddProp(CCeDBProp(type, PROPID(entry.propid)));
    }
    for (CCeDBProp::Type type : kTypes)
        record.AddProp(CCeDBProp(type, static_cast<WORD>(choice)));
    bool filled = PropertyCodec::Fill(record, blob.data(), blob.size());
    Check(filled == parsed);
    if (!parsed)
        return 0;

    // Writing the decoded record over the stored one gives a sound blob
    // with at least as many properties.
    std::vector<std::uint8_t> merged = PropertyCodec::Merge(entries, record);
    std::vector<PropertyCodec::Entry> again;
    Check(PropertyCodec::Parse(merged.data(), merged.size(), again));
    Check(again.size() >= entries.size());

    // Sort keys on each stored property and on one that is missing.
    std::vector<std::uint8_t> key;
    DWORD flags = (choice & 0x80) ? CEDB_SORT_UNKNOWNFIRST : 0;
    for (const PropertyCodec::Entry& entry : entries)
        PropertyCodec::SortKey(entries, entry.propid, flags, key);
    CEPROPID missing = MAKEPROP(0xFFFF, kTypes[choice % 8]);
    PropertyCodec::SortKey(entries, missing, flags, key);
    bool held = false;
    for (const PropertyCodec::Entry& entry : entries)
        held = held || entry.propid == missing;
    Check(held || key.size() == 1);
    for (WORD i = 0; i < record.GetNumProps(); ++i)
        if (record.GetProp(i)->HasValue())
            Check(PropertyCodec::ValueKey(*record.GetProp(i), key) && !key.empty());
    return 0;
}
