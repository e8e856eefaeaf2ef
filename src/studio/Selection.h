#pragma once

#include <optional>
#include <vector>

// Which open surveys the user has chosen in the list: the current one, whose
// tabs show, and every selected one, in the list's order, for the class.
struct Selection {
    std::optional<int> current; // a survey id
    std::vector<int> selected;
};

// What a tab needs before it can show anything.
struct TabNeeds {
    bool area = true;            // the area's pictures: the map, the truth
    bool severalSurveys = false; // two or more readable surveys: the class
};
