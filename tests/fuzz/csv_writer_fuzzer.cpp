// Fuzzes the CSV writer: whatever bytes the cells hold, the file must read back with an RFC 4180 reader as the
// same cells (without the "修改标识" column), and every cell that holds no comma, double quote, CR or LF must
// be written as its bytes, unquoted.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_common.h"
#include "table/csv_writer.h"
#include "table/grid_model.h"
#include "table/table_texts.h"

namespace {

using namespace zandrel;
using fuzz::Check;

struct Field {
    std::string value;
    bool quoted = false;
};
using Record = std::vector<Field>;

// RFC 4180 with CR LF after every record, strictly: a quote inside an unquoted field, a lone CR or LF, or
// anything but a separator after a closing quote is an error.
bool ReadCsv(std::string_view in, std::vector<Record>& records) {
    size_t pos = 0;
    while (pos < in.size()) {
        Record record;
        for (;;) {
            Field field;
            if (pos < in.size() && in[pos] == '"') {
                field.quoted = true;
                ++pos;
                for (;;) {
                    if (pos >= in.size()) {
                        return false;  // unterminated quoted field
                    }
                    if (in[pos] == '"') {
                        if (pos + 1 < in.size() && in[pos + 1] == '"') {
                            field.value += '"';
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    field.value += in[pos++];
                }
            } else {
                while (pos < in.size() && in[pos] != ',' && in[pos] != '\r') {
                    if (in[pos] == '"' || in[pos] == '\n') {
                        return false;
                    }
                    field.value += in[pos++];
                }
            }
            record.push_back(std::move(field));
            if (pos < in.size() && in[pos] == ',') {
                ++pos;
                continue;
            }
            if (in.substr(pos, 2) == "\r\n") {
                pos += 2;
                break;
            }
            return false;  // a record must end with CR LF
        }
        records.push_back(std::move(record));
    }
    return true;
}

bool NeedsQuotes(std::string_view cell) {
    return cell.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    const int columns = provider.ConsumeIntegralInRange<int>(0, 6);
    const int dataRows = provider.ConsumeIntegralInRange<int>(0, 8);
    GridModel grid(1, columns);
    for (int r = 1; r <= dataRows; ++r) {
        grid.AppendRow("");
    }
    for (int r = 0; r < grid.RowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            if (r == 0 && provider.ConsumeIntegralInRange<int>(0, 7) == 0) {
                grid.SetCell(0, c, kTitleModifiedMark);
            } else {
                grid.SetCell(r, c, provider.ConsumeRandomLengthString(24));
            }
        }
    }

    std::vector<int> kept;
    for (int c = 0; c < columns; ++c) {
        if (grid.GetCell(0, c) != kTitleModifiedMark) {
            kept.push_back(c);
        }
    }
    const std::string csv = TableToCsv(grid);
    std::vector<Record> records;
    Check(ReadCsv(csv, records), "the file reads as RFC 4180");
    Check(records.size() == static_cast<size_t>(grid.RowCount()), "one record per row");
    for (int r = 0; r < grid.RowCount(); ++r) {
        const Record& record = records[r];
        if (kept.empty()) {
            Check(record.size() == 1 && record[0].value.empty() && !record[0].quoted, "an empty line");
            continue;
        }
        Check(record.size() == kept.size(), "one field per written column");
        for (size_t k = 0; k < kept.size(); ++k) {
            const std::string& cell = grid.GetCell(r, kept[k]);
            Check(record[k].value == cell, "the cell reads back unchanged");
            Check(record[k].quoted == NeedsQuotes(cell), "only cells that need it are quoted");
        }
    }
    return 0;
}
