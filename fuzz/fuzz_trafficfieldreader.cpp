// The field reader on any bytes: it agrees field for field with the rules
// written plainly, every field lies inside the bytes, and after the last one
// it keeps answering "nothing".
#include "traffic/TrafficFieldReader.h"
#include "traffic/testing/PlainFields.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // A copy of exactly size bytes, so reading one past the end is caught.
    const std::vector<char> copy(data, data + size);
    const std::string_view bytes(copy.data(), copy.size());
    const std::vector<std::string> expected = zephlan::plainFields(bytes);

    zephlan::TrafficFieldReader reader(bytes);
    std::size_t count = 0;
    while (const std::optional<std::string_view> field = reader.readField()) {
        if (count >= expected.size() || *field != expected[count])
            std::abort();
        if (!field->empty() && (field->data() < bytes.data() || field->data() + field->size() > bytes.data() + size))
            std::abort();
        ++count;
    }
    if (count != expected.size() || !reader.atEnd() || reader.readField())
        std::abort();
    return 0;
}
