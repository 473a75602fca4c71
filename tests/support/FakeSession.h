#pragma once

#include "TestPrompts.h"
#include "store/HeadlessSession.h"

// The test prompts, constructed before the session that refers to them.
struct TestPromptsHolder {
    TestPrompts testPrompts;
};

// The program's headless session answering through test prompts, with the type lists
// of the default configuration and the labels of the progress it was asked for.
class FakeSession : public TestPromptsHolder, public HeadlessSession {
public:
    FakeSession() : HeadlessSession(testPrompts)
    {
        types = {QString(), QStringLiteral("Light"), QStringLiteral("Heavy"), QStringLiteral("Volume"),
                 QStringLiteral("Experimental")};
        cardio = {QString(), QStringLiteral("Running"), QStringLiteral("Cycling"), QStringLiteral("Swimming"),
                  QStringLiteral("Jumprope"), QStringLiteral("Walking")};
    }

    QStringList progressLabels;

    ProgressCallback progress(const QString &label) override
    {
        progressLabels << label;
        return {};
    }
};
