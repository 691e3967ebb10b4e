#pragma once
#include "kit/Navigation.h"

#include <QList>

namespace pinakos::test {

// A navigation that only writes down what the windows ask of it; installed
// while it lives, the previous one back after.
class FakeNavigation : public Navigation
{
public:
    struct Move
    {
        Screen to;
        QWidget* from;
        bool operator==(const Move&) const = default;
    };

    FakeNavigation() { setNavigation(this); }
    ~FakeNavigation() override { setNavigation(nullptr); }
    FakeNavigation(const FakeNavigation&) = delete;
    FakeNavigation& operator=(const FakeNavigation&) = delete;

    void show(Screen to, QWidget* from) override { moves.append({to, from}); }
    Sheet* sheet() override { return shownSheet; }
    void endProgram() override { ++endRequests; }

    QList<Move> moves;
    int endRequests = 0;
    Sheet* shownSheet = nullptr;
};

} // namespace pinakos::test
