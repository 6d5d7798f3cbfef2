// The non-visual core of the class library in one include: objects, exceptions,
// persistent objects, components, collections, streams, string lists and events.
#pragma once

#include "forms/core/Collection.h"
#include "forms/core/Component.h"
#include "forms/core/Events.h"
#include "forms/core/Persistent.h"
#include "forms/core/Sets.h"
#include "forms/core/Streams.h"
#include "forms/core/StringList.h"
#include "forms/core/SysUtils.h"
