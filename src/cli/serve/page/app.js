// The routing page; it talks to /api/v1/ and follows /api/v1/events.
"use strict";
