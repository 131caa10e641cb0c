#include "jobs/job_texts.h"

#include "platform/string_table.h"

JobTexts JobTexts::Load() {
    using platform::LoadString;
    return {LoadString(141), LoadString(140), LoadString(137), LoadString(150), LoadString(151),
            LoadString(149), LoadString(148), LoadString(147), LoadString(131)};
}
