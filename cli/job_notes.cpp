#include "cli/job_notes.h"

#include <ostream>

namespace pellucid::cli {

namespace {

void WriteFinding(standalone::JsonWriter& json, const Finding& finding) {
    json.BeginObject();
    json.Key("kind");
    json.String(finding.kind);
    json.Key("text");
    json.String(finding.text);
    json.EndObject();
}

}  // namespace

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
    json.Key("messages");
    json.BeginArray();
    for (size_t i = 0; i < messages.size(); ++i) {
        json.BeginObject();
        json.Key("caption");
        json.String(messages[i].caption);
        json.Key("text");
        json.String(messages[i].text);
        json.Key("notes");
        json.BeginArray();
        for (const Note& note : notes_) {
            if (note.message == static_cast<int>(i)) {
                WriteFinding(json, note.finding);
            }
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
    json.Key("notes");
    json.BeginArray();
    for (const Note& note : notes_) {
        if (note.message < 0) {
            WriteFinding(json, note.finding);
        }
    }
    json.EndArray();
}

void WriteFindingsJson(standalone::JsonWriter& json, const std::vector<Finding>& findings) {
    json.BeginArray();
    for (const Finding& finding : findings) {
        WriteFinding(json, finding);
    }
    json.EndArray();
}

}  // namespace pellucid::cli
