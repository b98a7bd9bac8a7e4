#include "alarms/message_file.h"

namespace {

constexpr std::string_view kOpen = "[";
constexpr std::string_view kClose = "]";

bool OnlyClosers(std::string_view line) {
  return !line.empty() && line.find_first_not_of(']') == std::string_view::npos;
}

// Lines end at LF, a CR just before it is dropped, and a last line without LF still counts:
// what a text-mode reader of the file sees.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : rest_(bytes) {}
  bool AtEnd() const { return rest_.empty(); }
  // At the end it yields an empty line, as the fields of a cut-off record read empty.
  std::string_view Next() {
    if (rest_.empty()) return {};
    size_t end = rest_.find('\n');
    std::string_view line = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    return line;
  }

 private:
  std::string_view rest_;
};

void AppendSingleLine(std::string& out, const std::string& field) {
  size_t start = out.size();
  out += field;
  // A line break here would shift every later record; a space keeps the file in shape.
  for (size_t i = start; i < out.size(); ++i) {
    if (out[i] == '\r' || out[i] == '\n') out[i] = ' ';
  }
  out += "\r\n";
}

bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

}  // namespace

// Only the title line decides whether a record begins, so a file cut anywhere keeps the record
// it was cut in, with its missing fields empty; a file cut inside the message block keeps the
// message lines read so far. A third line other than "[" is dropped and the message left empty.
std::vector<CMessageRecord> ParseMessageFile(std::string_view bytes) {
  std::vector<CMessageRecord> records;
  LineReader in(bytes);
  while (!in.AtEnd()) {
    CMessageRecord r;
    r.title = in.Next();
    r.alarm = in.Next();
    if (in.Next() == kOpen) {
      bool first = true;
      while (!in.AtEnd()) {
        std::string_view line = in.Next();
        if (line == kClose) break;
        if (!first) r.message += "\r\n";
        first = false;
        if (OnlyClosers(line)) line.remove_prefix(1);
        r.message += line;
      }
    }
    r.dateUnit = in.Next();
    r.dateDetail = in.Next();
    r.timeUnit = in.Next();
    r.timeDetail = in.Next();
    records.push_back(std::move(r));
  }
  return records;
}

std::string FormatMessageFile(const std::vector<CMessageRecord>& records) {
  std::string out;
  size_t size = 0;
  for (const CMessageRecord& r : records) {
    size += r.title.size() + r.alarm.size() + r.message.size() + r.dateUnit.size() +
            r.dateDetail.size() + r.timeUnit.size() + r.timeDetail.size() + 24;
  }
  out.reserve(size);
  for (const CMessageRecord& r : records) {
    AppendSingleLine(out, r.title);
    AppendSingleLine(out, r.alarm);
    out += "[\r\n";
    // The message's line breaks (CR LF, or a lone LF) make its lines; a CR alone is dropped.
    std::string_view rest = r.message;
    for (;;) {
      size_t end = rest.find('\n');
      size_t start = out.size();
      for (char c : rest.substr(0, end)) {
        if (c != '\r') out += c;
      }
      if (OnlyClosers(std::string_view(out).substr(start))) out += ']';
      out += "\r\n";
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
    out += "]\r\n";
    AppendSingleLine(out, r.dateUnit);
    AppendSingleLine(out, r.dateDetail);
    AppendSingleLine(out, r.timeUnit);
    AppendSingleLine(out, r.timeDetail);
  }
  return out;
}

bool StoresUnchanged(const CMessageRecord& r) {
  // Message line breaks come back as CR LF; a lone CR or LF would not.
  for (size_t i = 0; i < r.message.size(); ++i) {
    bool pairedCr = r.message[i] == '\r' && i + 1 < r.message.size() && r.message[i + 1] == '\n';
    bool pairedLf = r.message[i] == '\n' && i > 0 && r.message[i - 1] == '\r';
    if ((r.message[i] == '\r' && !pairedCr) || (r.message[i] == '\n' && !pairedLf)) return false;
  }
  return !HasLineBreak(r.title) && !HasLineBreak(r.alarm) && !HasLineBreak(r.dateUnit) &&
         !HasLineBreak(r.dateDetail) && !HasLineBreak(r.timeUnit) && !HasLineBreak(r.timeDetail);
}
