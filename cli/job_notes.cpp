#include "cli/job_notes.h"

#include <ostream>

namespace pellucid::cli {

JobNotes::~JobNotes() {
    if (explained_ != nullptr) {
        explained_->SetMessageListener(nullptr);
    }
}

void JobNotes::Add(const Finding& finding) {
    err_ << "note: " << finding.text << "\n";
    notes_.push_back({finding, -1});
}

void JobNotes::AddAll(const std::vector<Finding>& findings) {
    for (const Finding& finding : findings) {
        Add(finding);
    }
}

void JobNotes::ExplainMessages(standalone::StandaloneHost& host, MessageNotes& explain) {
    explained_ = &host;
    host.SetMessageListener([this, &host, &explain](const standalone::HostMessage& message) {
        const int index = static_cast<int>(host.Messages().size()) - 1;
        for (const Finding& finding : explain.For(message)) {
            err_ << "note: " << finding.text << "\n";
            notes_.push_back({finding, index});
        }
    });
}

void JobNotes::WriteJson(standalone::JsonWriter& json,
                         const std::vector<standalone::HostMessage>& messages) const {
    std::vector<std::vector<Finding>> explained(messages.size());
    std::vector<Finding> unattached;
    for (const Note& note : notes_) {
        if (note.message >= 0 && static_cast<size_t>(note.message) < messages.size()) {
            explained[static_cast<size_t>(note.message)].push_back(note.finding);
        } else {
            unattached.push_back(note.finding);
        }
    }
    WriteMessagesJson(json, messages, explained);
    json.Key("notes");
    WriteFindingsJson(json, unattached);
}

void WriteMessagesJson(standalone::JsonWriter& json,
                       const std::vector<standalone::HostMessage>& messages,
                       const std::vector<std::vector<Finding>>& notes) {
    json.Key("messages");
    json.BeginArray();
    for (size_t i = 0; i < messages.size(); ++i) {
        json.BeginObject();
        json.StringField("caption", messages[i].caption);
        json.StringField("text", messages[i].text);
        json.Key("notes");
        WriteFindingsJson(json, i < notes.size() ? notes[i] : std::vector<Finding>());
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace pellucid::cli
