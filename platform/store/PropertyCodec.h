#pragma once
// How records are kept in the store file: one blob per record, a format
// byte and then, per property, its 32-bit id, the 32-bit size of its value
// and the value (little-endian; text as UTF-16 code units, bytes as given).
// Sort keys are byte strings that compare as the values do, so that SQLite's
// plain blob order is the database's sort order.

#include "platform/store/CCeDBRecord.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class PropertyCodec {
public:
    struct Entry {
        CEPROPID propid;
        const std::uint8_t* data;
        std::uint32_t size;
    };

    // False when the blob is damaged.
    static bool Parse(const std::uint8_t* blob, std::size_t size, std::vector<Entry>& entries);

    // The stored properties `stored` with the record's valued properties
    // written over them (same id and type) or added after them.
    static std::vector<std::uint8_t> Merge(const std::vector<Entry>& stored, const CCeDBRecord& record);

    // Fills every property of the record from the stored property with the
    // same id and type; those without one are left with no value.
    static bool Fill(CCeDBRecord& record, const std::uint8_t* blob, std::size_t size);

    // The sort key of a stored record; a record without the sort property
    // sorts before or after all others as the flags say.
    static void SortKey(const std::vector<Entry>& entries, CEPROPID sortProp, DWORD flags,
                        std::vector<std::uint8_t>& key);
    // The key that a seek for this value compares with; false without a value.
    static bool ValueKey(const CCeDBProp& prop, std::vector<std::uint8_t>& key);

private:
    static void AppendValue(std::vector<std::uint8_t>& out, const CCeDBProp& prop);
    static bool Load(CCeDBProp& prop, const Entry& entry);
    static void AppendKey(std::vector<std::uint8_t>& key, WORD type, const std::uint8_t* data, std::uint32_t size);
};

}  // namespace platform
