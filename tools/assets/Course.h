#pragma once
// The course: graphics\map.txt, 500 rows of 24 object types or -1.
#include <array>
#include <vector>

#include "Output.h"

namespace assets {

constexpr int kCourseRows = 500;
constexpr int kCourseColumns = 24;
using CourseRow = std::array<int, kCourseColumns>;

std::vector<CourseRow> BuildCourse();
void WriteCourse(Output& out, const std::vector<CourseRow>& course);

}  // namespace assets
