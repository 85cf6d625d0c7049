#pragma once
// Placeholder: the engine lands with the calendar work.
namespace DateCn {}
