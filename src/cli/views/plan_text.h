// `orvpatch apply --dry-run`: the plan of a run as text, one line per record and the outcome.
//
//   0 copy readme.txt: copy
//   1 delete old.dat: absent
//   2 archive data\graphic.arc: rebuild, revision 1 to 2, 1 removed, 1 added
//   3 archive data\sound.arc: skip-revision, revision 3, target 3
//   4 copy game.exe: skip-newer-differs
//   5 delete ro.dat: fail: 更新ファイルの削除に失敗！
//   space: 1048576 bytes needed, 524288 bytes free
//   warning: the run needs 1048576 bytes of disk space, but only 524288 bytes are free
//   warning: files the run keeps as newer though they differ from the patch: 1 (--replace-newer replaces them)
//   the run would fail: 更新ファイルの削除に失敗！
//
// Each warning comes only when it applies.
#pragma once

#include <cstdint>
#include <cstdio>

#include "app/run_plan.h"
#include "app/plan_space.h"

namespace Orvane::Cli {

// "copy", "skip-newer", "skip-newer-differs", "delete", "absent", "rebuild", "skip-revision",
// "fail".
const char* ActionName(PlannedAction action);
// "copy", "delete", "archive".
const char* RecordTypeName(std::int32_t type);

void PrintPlanText(std::FILE* out, const RunPlan& plan, const PlanSpace& space);

}  // namespace Orvane::Cli
