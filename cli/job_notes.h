// The notes of one job: what the command line says beside the library's output. Each note is
// printed on standard error as "note: ..." when it is made, so that a note about a message box
// stands right below it; all are kept for the JSON report and for --strict.
#pragma once

#include <iosfwd>
#include <vector>

#include "cli/message_notes.h"
#include "cli/scene_survey.h"
#include "standalone/document/json/json_writer.h"
#include "standalone/host/standalone_host.h"

namespace pellucid::cli {

class JobNotes {
  public:
    explicit JobNotes(std::ostream& err) : err_(err) {}
    // Stops explaining the host's message boxes.
    ~JobNotes();
    JobNotes(const JobNotes&) = delete;
    JobNotes& operator=(const JobNotes&) = delete;

    void Add(const Finding& finding);
    void AddAll(const std::vector<Finding>& findings);

    // From now on, each message box that `host` shows is followed by the notes that `explain`
    // gives for it. The host and `explain` must outlive these notes.
    void ExplainMessages(standalone::StandaloneHost& host, MessageNotes& explain);

    size_t Count() const { return notes_.size(); }
    bool Empty() const { return notes_.empty(); }

    // "messages": [{"caption", "text", "notes": [...]}] in the order shown, and "notes": the
    // notes that belong to no message box; each note as {"kind", "text"}.
    void WriteJson(standalone::JsonWriter& json,
                   const std::vector<standalone::HostMessage>& messages) const;

  private:
    struct Note {
        Finding finding;
        int message = -1;  // index of the message box it explains, -1 for none
    };
    std::ostream& err_;
    std::vector<Note> notes_;
    standalone::StandaloneHost* explained_ = nullptr;
};

// "messages": [{"caption", "text", "notes": [...]}], `notes` holding each message's notes.
void WriteMessagesJson(standalone::JsonWriter& json,
                       const std::vector<standalone::HostMessage>& messages,
                       const std::vector<std::vector<Finding>>& notes);

// Writes notes (anything with a `kind` and a `text`) as a JSON array of {"kind", "text"}.
template <typename Note>
void WriteFindingsJson(standalone::JsonWriter& json, const std::vector<Note>& notes) {
    json.BeginArray();
    for (const Note& note : notes) {
        json.BeginObject();
        json.StringField("kind", note.kind);
        json.StringField("text", note.text);
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace pellucid::cli
