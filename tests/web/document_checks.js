// The Paint Program's document features in the page.
'use strict';

async function documentChecks(browser, base, check) {}

module.exports = {documentChecks};
