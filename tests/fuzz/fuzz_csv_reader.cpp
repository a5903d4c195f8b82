// libFuzzer target: the reader must stay inside its text whatever it is given,
// and every walk through it must end.
#include "owebook/data/CsvReader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Half the inputs as UTF-16 code units, half as single bytes (as the resources hold them).
    CString text;
    if (size > 0 && (data[0] & 1)) {
        std::u16string units((size - 1) / 2, u'\0');
        std::memcpy(units.data(), data + 1, units.size() * 2);
        text = CString(std::move(units));
    } else {
        std::string_view bytes(reinterpret_cast<const char*>(data), size);
        text = CString::FromLatin1(bytes.substr(size > 0 ? 1 : 0));
    }

    CCsvReader reader(text);
    CString field;
    int steps = 0;
    do {
        do {
            reader.GetField(field);
            if (field.GetLength() > text.GetLength())
                __builtin_trap();
            if (++steps > 4 * (text.GetLength() + 2))
                __builtin_trap();  // the walk must move forward
        } while (reader.NextField());
    } while (reader.NextLine());
    return 0;
}
