#include "core/protocol/rules_decoder.h"

#include "core/protocol/byte_reader.h"

namespace zarnek::protocol {

std::vector<TRules> AddRules(ByteView answer) {
    ByteReader in(answer, 5);
    const unsigned count = in.U16();
    std::vector<TRules> rules;
    for (unsigned i = 0; i < count && !in.AtEnd(); ++i) {
        TRules rule;
        rule.Name = in.String();
        rule.Value = in.String();
        rules.push_back(std::move(rule));
    }
    return rules;
}

}  // namespace zarnek::protocol
