'use strict';
// Debian's Chromium as the browser tests start it: headless, no sandbox (the tests run
// as root), nothing fetched in the background. launch() starts it on a new empty
// user-data folder of its own and removes that after.
const path = require('path');

exports.launch = (modules) => require(path.join(modules, 'playwright-core')).chromium.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--disable-quic'],
});
