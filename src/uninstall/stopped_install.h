// What an install stopped before its log named its program folder leaves.
// The run makes its folders first and opens its logs after them, so until
// the log's second line is written, nothing records the folder it chose: the
// program folder ("LYN", or "LYN01" to "LYN99") with its "Maps" folder and
// perhaps an empty "InstallInfo.log", the setup program's temporary folder,
// all empty, and the uninstall log cut before naming the folder. Nothing in
// them is anyone's, so they can go; a folder holding anything else is the
// product's or someone's, and stays.
#pragma once

#include "platform/api/kernel32.h"
#include "uninstall/install_places.h"
#include "uninstall/removal_plan.h"

namespace lyn::uninstall {

// The steps that remove them, found on the machine; none when there are none.
// `logPresent`: the uninstall log is there, cut before naming a folder.
RemovalPlan PlanStoppedInstallRemoval(win::Kernel32& kernel32, const InstallPlaces& places,
                                      bool logPresent);

}  // namespace lyn::uninstall
